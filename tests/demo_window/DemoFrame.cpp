#include "tests/demo_window/DemoFrame.h"

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL CDemoFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.x = kLeft;
  cs.y = kTop;
  cs.cx = kWidth;
  cs.cy = kHeight;
  return TRUE;
}

int CDemoFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  return m_pane.CreatePane(this) ? 0 : -1;
}
