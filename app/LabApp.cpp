#include "app/LabApp.h"

#include "app/AboutDialog.h"
#include "app/MainFrame.h"

BEGIN_MESSAGE_MAP(CLabApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, ShowAboutBox)
END_MESSAGE_MAP()

CLabApp theApp;

CLabApp::CLabApp() : CWinApp(NULL) {}

CLabApp::~CLabApp() {}

BOOL CLabApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControlsStatic();
  SetRegistryKey("Local AppWizard-Generated Applications");
  // The lesson book is built with the frame, before any window exists.
  CMainFrame* pFrame = new CMainFrame;
  m_pMainWnd = pFrame;
  pFrame->LoadFrame(128, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, NULL);
  pFrame->ShowWindow(SW_SHOW);
  ::UpdateWindow(pFrame->m_hWnd);
  return TRUE;
}

void CLabApp::ShowAboutBox() {
  CAboutDialog dialog;
  dialog.DoModal();
}
