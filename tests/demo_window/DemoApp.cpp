// The demo's application object: one frame loaded from the demo's menu and title, shown at
// once. File > Exit is the framework's own ID_APP_EXIT handling.
#include <afxwin.h>

#include "tests/demo_window/DemoFrame.h"
#include "tests/demo_window/DemoIds.h"

class CDemoApp : public CWinApp {
public:
  CDemoApp() : CWinApp(NULL) {}

  virtual BOOL InitInstance() {
    CDemoFrame* pFrame = new CDemoFrame;
    m_pMainWnd = pFrame;
    if (!pFrame->LoadFrame(IDR_DEMOFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, NULL))
      return FALSE;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    return TRUE;
  }
};

CDemoApp theDemoApp;
