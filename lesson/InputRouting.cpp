// Routing of left and right clicks, and the polling that lets a long run be stopped.
#include "lesson/LessonBook.h"

namespace {

// Where the pointer is now, in the view's client coordinates; false when there is no view. The
// view is the main window's only child and fills its client area.
bool PointerInView(CPoint* pPoint) {
  POINT pt;
  ::GetCursorPos(&pt);
  CWnd* pMain = AfxGetMainWnd();
  CWnd* pView = pMain != NULL ? pMain->GetDlgItem(AFX_IDW_PANE_FIRST) : NULL;
  if (pView == NULL) return false;
  pView->ScreenToClient(&pt);
  *pPoint = pt;
  return true;
}

}  // namespace

void CLessonBook::HandleClick(CPoint point, CDC* pDC) {
  for (short i = kLessonsButton; i <= kNextPageButton; i++)
    if (m_buttons[i]->HitTest(point)) return Navigate(i, pDC);
  for (short i = kStopButton; i <= kReplayButton; i++)
    if (m_buttons[i]->HitTest(point)) return OnControlButton((short)(i - kStopButton), pDC);
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
  for (short i = kLesson1Button; i <= kLesson4Button; i++)
    if (m_buttons[i]->HitTest(point)) return OpenLesson((short)(i - kLesson1Button), pDC);
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
  if (!::PeekMessageA(&msg, NULL, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) msg.message = WM_NULL;
  // A quit request passes any filter: it ends the run and is posted again for the message loop.
  if (msg.message == WM_QUIT) ::PostQuitMessage((int)msg.wParam);
  CPoint pointer;
  const bool inView = msg.message == WM_LBUTTONDOWN && PointerInView(&pointer);
  return StopsRun(msg.message, inView ? &pointer : NULL, *m_buttons[kStopButton]) ? TRUE : FALSE;
}

bool CLessonBook::StopsRun(UINT message, const CPoint* pPointer, const CHotText& stop) {
  if (message == WM_QUIT) return true;
  // The pointer where it is now, not where it was clicked: a click that moved onto Stop before
  // the checkpoint stops the run, one that moved off it does not.
  return message == WM_LBUTTONDOWN && pPointer != NULL && stop.HitTest(*pPointer);
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
