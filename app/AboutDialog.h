// The about box, built on dialog template 100.
#pragma once

#include <afxwin.h>

#include "res/resource.h"

class CAboutDialog : public CDialog {
public:
  enum { IDD = IDD_ABOUTBOX };
  CAboutDialog();
  virtual ~CAboutDialog();

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  DECLARE_MESSAGE_MAP()
};
