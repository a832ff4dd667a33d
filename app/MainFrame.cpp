#include "app/MainFrame.h"

IMPLEMENT_DYNAMIC(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
  RECT work = {0, 0, 0, 0};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  cs.cy = work.bottom > 768 ? kBookHeight : work.bottom;
  cs.cx = work.right > kBookWidth ? kBookWidth : work.right;
  cs.x = 0;
  cs.y = 0;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  cs.lpszClass = AfxRegisterWndClass(0);
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_lessonView.Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0),
                           this, AFX_IDW_PANE_FIRST, NULL))
    return -1;
  return 0;
}

void CMainFrame::OnSetFocus(CWnd*) { m_lessonView.SetFocus(); }

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra,
                          AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (m_lessonView.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
