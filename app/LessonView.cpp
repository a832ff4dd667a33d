#include "app/LessonView.h"

#include "lesson/LessonBook.h"

BEGIN_MESSAGE_MAP(CLessonView, CWnd)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_RBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDBLCLK()
END_MESSAGE_MAP()

CLessonView::CLessonView() : m_pBook(NULL) {
  m_pBook = new CLessonBook;
  // Drawing done inside a long synchronous run must reach the screen at once.
  ::GdiSetBatchLimit(1);
}

CLessonView::~CLessonView() {
  delete m_pBook;
  m_pBook = NULL;
}

BOOL CLessonView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CWnd::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  cs.style &= ~WS_BORDER;
  cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                     ::LoadCursorA(NULL, IDC_ARROW),
                                     (HBRUSH)(COLOR_WINDOW + 1), NULL);
  return TRUE;
}

void CLessonView::OnPaint() {
  CPaintDC dc(this);
  if (m_pBook != NULL) m_pBook->Draw(&dc);
}

void CLessonView::OnLButtonDown(UINT, CPoint point) {
  CClientDC dc(this);
  if (m_pBook != NULL) m_pBook->HandleClick(point, &dc);
  // Clicks made while the click was being handled, and the second press of a double click,
  // are dropped.
  MSG msg;
  while (::PeekMessageA(&msg, NULL, WM_MOUSEFIRST, 0x0209, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {  // a quit request passes any filter: keep it
      ::PostQuitMessage((int)msg.wParam);
      break;
    }
  }
  Default();
}

void CLessonView::OnKeyDown(UINT, UINT, UINT) { Default(); }

void CLessonView::OnRButtonDown(UINT, CPoint point) {
  CClientDC dc(this);
  if (m_pBook != NULL) m_pBook->HandleRightClick(point, &dc);
  Default();
}

void CLessonView::OnLButtonDblClk(UINT, CPoint) { Default(); }

void CLessonView::OnRButtonDblClk(UINT, CPoint) { Default(); }
