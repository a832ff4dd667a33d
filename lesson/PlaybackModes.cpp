// The control buttons and the runs that work through all items of a page.
#include "lesson/LessonBook.h"

void CLessonBook::OnControlButton(short nControl, CDC* pDC) {
  switch (kStopButton + nControl) {
    case kPlayButton:
      PlayPage(pDC);
      break;
    case kRepeatButton:
      if (m_bRolePlay == 0)
        RepeatAfterMe(pDC);
      else if (m_bRolePlay == 1)
        RolePlay(pDC);
      break;
    case kReviewButton:
      ReviewPage(pDC);
      break;
    case kReplayButton:
      ReplayPage(pDC);
      break;
    default:  // Stop acts only inside a run; the blank button has no action
      break;
  }
}

CLessonBook::RunCheck CLessonBook::Checkpoint(const RunGuard& guard) {
  const bool stop = StopRequested() || PumpOneMessage();
  if (!*guard.alive || (guard.hadMainWindow && AfxGetMainWnd() == NULL)) return kWindowGone;
  if (m_nPageGeneration != guard.pageGeneration) return kPageGone;
  return stop ? kStop : kGoOn;
}

CLessonBook::RunCheck CLessonBook::RunItems(ItemStep first, ItemStep second, CDC* pDC) {
  const RunGuard guard = {m_alive, AfxGetMainWnd() != NULL, m_nPageGeneration};
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* pItem = Item(i);
    if (pItem == NULL) continue;
    (pItem->*first)(pDC);
    RunCheck check = kGoOn;
    if (second != NULL) {
      check = Checkpoint(guard);
      if (check == kGoOn) (pItem->*second)(pDC);
    }
    if (check == kGoOn) {
      pItem->Unhighlight(pDC);
      check = Checkpoint(guard);
    }
    if (check == kStop) pItem->Unhighlight(pDC);
    if (check != kGoOn) return check;
  }
  return kGoOn;
}

void CLessonBook::PlayPage(CDC* pDC) {
  SetButtonState(kPlayButton, 1, pDC);
  if (RunItems(&CPageAudio::PlayModel, NULL, pDC) == kWindowGone) return;
  SetButtonState(kPlayButton, 0, pDC);
}

void CLessonBook::RepeatAfterMe(CDC* pDC) {
  SetButtonState(kRepeatButton, 1, pDC);
  const RunCheck end = RunItems(&CPageAudio::PlayModel, &CPageAudio::RecordLearner, pDC);
  if (end == kWindowGone) return;
  SetButtonState(kRepeatButton, 0, pDC);
  if (end == kGoOn) ReviewPage(pDC);
}

void CLessonBook::ReviewPage(CDC* pDC) {
  SetButtonState(kReviewButton, 1, pDC);
  if (RunItems(&CPageAudio::PlayModel, &CPageAudio::PlayLearner, pDC) == kWindowGone) return;
  SetButtonState(kReviewButton, 0, pDC);
}

void CLessonBook::ReplayPage(CDC* pDC) {
  SetButtonState(kReplayButton, 1, pDC);
  if (RunItems(&CPageAudio::PlayLearner, NULL, pDC) == kWindowGone) return;
  SetButtonState(kReplayButton, 0, pDC);
}

void CLessonBook::RolePlay(CDC* pDC) {
  SetButtonState(kRepeatButton, 1, pDC);
  RunCheck end = RunItems(&CPageAudio::RoleplayTurn, NULL, pDC);
  if (end == kWindowGone) return;
  if (end == kGoOn) {
    SetButtonState(kRepeatButton, 0, pDC);
    SetButtonState(kReviewButton, 1, pDC);
    end = RunItems(&CPageAudio::RoleplayReview, NULL, pDC);
    if (end == kWindowGone) return;
  }
  if (end != kGoOn) SetButtonState(kRepeatButton, 0, pDC);
  SetButtonState(kReviewButton, 0, pDC);
}
