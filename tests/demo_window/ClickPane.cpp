#include "tests/demo_window/ClickPane.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(CClickPane, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CClickPane::CreatePane(CWnd* pParent) {
  // No CS_DBLCLKS: every press, however quick after the last, is a WM_LBUTTONDOWN.
  LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW),
                                    (HBRUSH)(COLOR_WINDOW + 1), NULL);
  // The frame's layout gives the pane the whole client area; the border style stays so the
  // client edge is shown to win over it.
  return CreateEx(WS_EX_CLIENTEDGE, cls, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER,
                  CRect(0, 0, 0, 0), pParent, AFX_IDW_PANE_FIRST);
}

void CClickPane::OnLButtonDown(UINT, CPoint point) {
  // The reader waits on this line: it must not sit in a buffer.
  std::printf("WM_LBUTTONDOWN %d %d\n", (int)point.x, (int)point.y);
  std::fflush(stdout);
  Default();
}
