// CWinThread and CWinApp: the one application object and its message loop.
#include "WinApp.h"

#include "AfxWindow.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {
CWinApp* g_app = nullptr;
}  // namespace

BOOL CWinThread::InitInstance() { return FALSE; }

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (pMsg == nullptr) return FALSE;
  // From the message's window up through its parents; then the main window if it was not
  // among them, so its accelerators work wherever the keyboard is.
  CWnd* main = GetMainWnd();
  bool main_seen = false;
  for (HWND h = pMsg->hwnd; h != nullptr; h = ::GetParent(h)) {
    CWnd* wnd = CWnd::FromHandlePermanent(h);
    if (wnd == nullptr) continue;
    if (wnd == main) main_seen = true;
    if (wnd->PreTranslateMessage(pMsg)) return TRUE;
  }
  return !main_seen && main != nullptr && main->m_hWnd != nullptr &&
         main->PreTranslateMessage(pMsg);
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;  // the quit request
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageA(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::OnIdle(LONG) { return FALSE; }

int CWinThread::Run() {
  LONG idle_count = 0;
  for (;;) {
    MSG peek;
    // Idle work runs while nothing waits, until it says it is done.
    while (!::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE) && OnIdle(idle_count++)) {
    }
    if (!PumpMessage()) return ExitInstance();
    idle_count = 0;
  }
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

CWinApp::CWinApp(LPCTSTR lpszAppName) {
  if (lpszAppName != nullptr) {
    m_strAppName = lpszAppName;
    m_pszAppName = m_strAppName;
  }
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) { m_pszRegistryKey = nullptr; (void)lpszRegistryKey; }
void CWinApp::SetRegistryKey(UINT) { m_pszRegistryKey = nullptr; }

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return ::LoadIconA(m_hInstance, MAKEINTRESOURCE(nIDResource));
}
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
  return ::LoadIconA(m_hInstance, lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
  return ::LoadCursorA(m_hInstance, MAKEINTRESOURCE(nIDResource));
}

void CWinApp::OnAppExit() {
  // Closing goes through the frame's own close handling, after the command returns.
  if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
    m_pMainWnd->PostMessage(WM_CLOSE);
}

LPCTSTR CWinApp::GetAppTitle() {
  if (m_pszAppName == nullptr) {
    char buffer[256];
    if (::LoadStringA(nullptr, AFX_IDS_APP_TITLE, buffer, static_cast<int>(sizeof buffer)) > 0) {
      m_strAppName = buffer;
      m_pszAppName = m_strAppName;
    }
  }
  return m_pszAppName ? m_pszAppName : "";
}

LPCTSTR AfxGetAppTitle() { return g_app ? g_app->GetAppTitle() : ""; }

CWinApp* AFXAPI AfxGetApp() { return g_app; }
CWnd* AFXAPI AfxGetMainWnd() { return g_app ? g_app->GetMainWnd() : nullptr; }
HINSTANCE AFXAPI AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : nullptr; }
HINSTANCE AFXAPI AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
void AFXAPI AfxEnableControlContainer() {}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
  CWnd* main = AfxGetMainWnd();
  return ::MessageBoxA(main ? main->m_hWnd : nullptr, lpszText, AfxGetAppTitle(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  char buffer[1024];
  if (::LoadStringA(nullptr, nIDPrompt, buffer, static_cast<int>(sizeof buffer)) == 0)
    buffer[0] = '\0';
  return AfxMessageBox(buffer, nType, nIDHelp);
}
