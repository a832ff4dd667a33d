#include "FrameWnd.h"

#include "AfxWindow.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                       ::LoadCursorA(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName,
                       DWORD dwExStyle, CCreateContext*) {
  HMENU menu = nullptr;
  if (lpszMenuName != nullptr && (menu = ::LoadMenuA(nullptr, lpszMenuName)) == nullptr)
    return FALSE;
  const bool placed = rect.left != CW_USEDEFAULT;
  const BOOL made = CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle,
                             placed ? rect.left : CW_USEDEFAULT, placed ? rect.top : CW_USEDEFAULT,
                             placed ? rect.right - rect.left : CW_USEDEFAULT,
                             placed ? rect.bottom - rect.top : CW_USEDEFAULT,
                             pParentWnd ? pParentWnd->m_hWnd : nullptr, menu, nullptr);
  if (!made && menu != nullptr) ::DestroyMenu(menu);
  return made;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
  // The title is the string's first part; a document part after '\n' has no place here.
  CString title;
  char buffer[256];
  if (::LoadStringA(nullptr, nIDResource, buffer, static_cast<int>(sizeof buffer)) > 0) {
    title = buffer;
    const int end = title.Find('\n');
    if (end >= 0) title = title.Left(end);
  }
  LoadAccelTable(MAKEINTRESOURCE(nIDResource));
  return Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCE(nIDResource), 0, pContext);
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
  m_hAccelTable = ::LoadAcceleratorsA(nullptr, lpszResourceName);
  return m_hAccelTable != nullptr;
}

CWnd* CFrameWnd::GetPaneWindow() const { return GetDlgItem(AFX_IDW_PANE_FIRST); }

void CFrameWnd::RecalcLayout(BOOL) {
  CWnd* pane = GetPaneWindow();
  if (pane == nullptr) return;
  CRect client;
  GetClientRect(&client);
  pane->MoveWindow(&client, TRUE);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  // Keys become commands only here, in the application's loop.
  if (m_hAccelTable != nullptr && pMsg != nullptr &&
      ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
    return TRUE;
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The pane first, then the frame, then the application.
  if (CWnd* pane = GetPaneWindow(); pane != nullptr && pane != this &&
                                    pane->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return CWnd::OnCommand(wParam, lParam); }

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnClose() { DestroyWindow(); }
void CFrameWnd::OnDestroy() { Default(); }

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu || pPopupMenu == nullptr) return;
  const int count = pPopupMenu->GetMenuItemCount();
  for (int i = 0; i < count; ++i) {
    const UINT id = pPopupMenu->GetMenuItemID(i);
    if (id == 0 || id == 0xFFFFFFFFu) continue;  // separators and nested popups
    CCmdUI ui;
    ui.m_nID = id;
    ui.m_nIndex = static_cast<UINT>(i);
    ui.m_hMenu = pPopupMenu->m_hMenu;
    ui.DoUpdate(this, TRUE);
  }
}

void CFrameWnd::OnSetFocus(CWnd*) {
  if (CWnd* pane = GetPaneWindow()) pane->SetFocus();
  else Default();
}
