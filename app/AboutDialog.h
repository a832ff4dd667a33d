// The about box, built on dialog template 100.
#pragma once

#include <afxwin.h>

class CAboutDialog : public CDialog {
public:
  enum { IDD = 100 };
  CAboutDialog();
  virtual ~CAboutDialog();

protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  DECLARE_MESSAGE_MAP()
};
