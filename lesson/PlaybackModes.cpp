// The control buttons and the runs that work through all items of a page.
#include "lesson/LessonBook.h"

void CLessonBook::OnControlButton(short nControl, CDC* pDC) {
  switch (nControl) {
    case 1:
      PlayPage(pDC);
      break;
    case 3:
      if (m_bRolePlay == 0)
        RepeatAfterMe(pDC);
      else if (m_bRolePlay == 1)
        RolePlay(pDC);
      break;
    case 4:
      ReviewPage(pDC);
      break;
    case 5:
      ReplayPage(pDC);
      break;
    default:  // Stop acts only inside a run; the blank button has no action
      break;
  }
}

bool CLessonBook::Interrupted(const std::shared_ptr<bool>& alive) {
  if (StopRequested()) return true;
  bool quit = PumpOneMessage() != FALSE;
  return quit || !*alive;
}

void CLessonBook::PlayPage(CDC* pDC) {
  std::shared_ptr<bool> alive = m_alive;
  SetButtonState(4, 1, pDC);
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* pItem = Item(i);
    if (pItem == NULL) continue;
    pItem->PlayModel(pDC);
    pItem->Unhighlight(pDC);
    if (Interrupted(alive)) {
      if (!*alive) return;  // the window closed: the book and its items are gone
      pItem->Unhighlight(pDC);
      SetButtonState(4, 0, pDC);
      return;
    }
  }
  SetButtonState(4, 0, pDC);
}

void CLessonBook::RepeatAfterMe(CDC* pDC) {
  std::shared_ptr<bool> alive = m_alive;
  SetButtonState(6, 1, pDC);
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* pItem = Item(i);
    if (pItem == NULL) continue;
    pItem->PlayModel(pDC);
    bool stop = Interrupted(alive);
    if (!stop) {
      pItem->RecordLearner(pDC);
      pItem->Unhighlight(pDC);
      stop = Interrupted(alive);
    }
    if (stop) {
      if (!*alive) return;
      pItem->Unhighlight(pDC);
      SetButtonState(6, 0, pDC);
      return;
    }
  }
  SetButtonState(6, 0, pDC);
  ReviewPage(pDC);
}

void CLessonBook::ReviewPage(CDC* pDC) {
  std::shared_ptr<bool> alive = m_alive;
  SetButtonState(7, 1, pDC);
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* pItem = Item(i);
    if (pItem == NULL) continue;
    pItem->PlayModel(pDC);
    bool stop = Interrupted(alive);
    if (!stop) {
      pItem->PlayLearner(pDC);
      pItem->Unhighlight(pDC);
      stop = Interrupted(alive);
    }
    if (stop) {
      if (!*alive) return;
      pItem->Unhighlight(pDC);
      SetButtonState(7, 0, pDC);
      return;
    }
  }
  SetButtonState(7, 0, pDC);
}

void CLessonBook::ReplayPage(CDC* pDC) {
  std::shared_ptr<bool> alive = m_alive;
  SetButtonState(8, 1, pDC);
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* pItem = Item(i);
    if (pItem == NULL) continue;
    pItem->PlayLearner(pDC);
    pItem->Unhighlight(pDC);
    if (Interrupted(alive)) {
      if (!*alive) return;
      pItem->Unhighlight(pDC);
      SetButtonState(8, 0, pDC);
      return;
    }
  }
  SetButtonState(8, 0, pDC);
}
