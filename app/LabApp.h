// The application object: start-up and the About command.
#pragma once

#include <afxwin.h>

class CLabApp : public CWinApp {
public:
  CLabApp();
  virtual ~CLabApp();
  BOOL InitInstance() override;

protected:
  afx_msg void ShowAboutBox();
  DECLARE_MESSAGE_MAP()
};
