// Routing of left and right clicks, and the polling that lets a long run be stopped.
#include "lesson/LessonBook.h"

void CLessonBook::HandleClick(CPoint point, CDC* pDC) {
  for (short i = 0; i <= 2; i++)
    if (m_buttons[i]->HitTest(point)) return Navigate(i, pDC);
  for (short i = 3; i <= 8; i++)
    if (m_buttons[i]->HitTest(point)) return OnControlButton((short)(i - 3), pDC);
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* pItem = Item(i);
    if (pItem != NULL && ::PtInRect(&pItem->m_rectAudio, point)) {
      pItem->PlayModel(pDC);
      pItem->Unhighlight(pDC);
      return;
    }
  }
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* pItem = Item(i);
    if (pItem != NULL && pItem->m_nRoleHead != -1 && ::PtInRect(&pItem->m_rectRole, point))
      return ToggleRole(pItem->m_nRoleHead, pDC);
  }
  for (short i = 9; i < kButtonCount; i++)
    if (m_buttons[i]->HitTest(point)) return OpenLesson((short)(i - 9), pDC);
}

void CLessonBook::HandleRightClick(CPoint point, CDC* pDC) {
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* pItem = Item(i);
    if (pItem == NULL || !::PtInRect(&pItem->m_rectAudio, point)) continue;
    pItem->RecordLearner(pDC);
    pItem->PlayLearner(pDC);
    pItem->Unhighlight(pDC);
  }
}

BOOL CLessonBook::StopRequested() {
  MSG msg;
  if (!::PeekMessageA(&msg, NULL, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) return FALSE;
  if (msg.message == WM_QUIT) {  // a quit request passes any filter: keep it and end the run
    ::PostQuitMessage((int)msg.wParam);
    return TRUE;
  }
  POINT pt;
  ::GetCursorPos(&pt);
  // The view is the main window's only child and fills its client area.
  CWnd* pMain = AfxGetMainWnd();
  CWnd* pView = pMain != NULL ? pMain->GetDlgItem(AFX_IDW_PANE_FIRST) : NULL;
  if (pView == NULL) return FALSE;
  pView->ScreenToClient(&pt);
  CPoint point(pt);
  return m_buttons[3]->HitTest(point) ? TRUE : FALSE;
}

BOOL CLessonBook::PumpOneMessage() {
  MSG msg;
  if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) return FALSE;
  if (msg.message == WM_QUIT) {
    // Ends the run; posted again so the message loop still ends the program afterwards.
    ::PostQuitMessage((int)msg.wParam);
    return TRUE;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
  return FALSE;
}
