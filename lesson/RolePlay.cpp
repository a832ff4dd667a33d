// Choosing the learner's role chains and the two-pass role-play run.
#include "lesson/LessonBook.h"

void CLessonBook::ToggleRole(short nItem, CDC* pDC) {
  CPageAudio* pItem = Item(nItem);
  if (pItem == NULL) return;
  short nNext = pItem->m_nNextInRole;
  pItem->m_bLearnerRole = !pItem->m_bLearnerRole;
  pItem->DrawRoleMarker(pDC);
  // Page data may link outside the page or in a circle: stop at an index outside the items
  // and after as many steps as there are items.
  for (int steps = 0; nNext != -1 && steps < m_nItems; steps++) {
    pItem = Item(nNext);
    if (pItem == NULL) break;
    pItem->m_bLearnerRole = !pItem->m_bLearnerRole;
    pItem->DrawRoleMarker(pDC);
    nNext = pItem->m_nNextInRole;
  }
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* p = Item(i);
    if (p != NULL && p->m_bLearnerRole) {
      m_buttons[6]->m_strCaption = "Roleplay";
      m_buttons[6]->Draw(pDC);
      m_bRolePlay = 1;
      return;
    }
  }
  m_buttons[6]->m_strCaption = "Repeat after me";
  m_buttons[6]->Draw(pDC);
  m_bRolePlay = 0;
}

void CLessonBook::RolePlay(CDC* pDC) {
  std::shared_ptr<bool> alive = m_alive;
  SetButtonState(6, 1, pDC);
  for (int pass = 0; pass < 2; pass++) {
    for (int i = 0; i < m_nItems; i++) {
      CPageAudio* pItem = Item(i);
      if (pItem == NULL) continue;
      if (pass == 0)
        pItem->RoleplayTurn(pDC);
      else
        pItem->RoleplayReview(pDC);
      pItem->Unhighlight(pDC);
      if (Interrupted(alive)) {
        if (!*alive) return;
        pItem->Unhighlight(pDC);
        SetButtonState(6, 0, pDC);
        SetButtonState(7, 0, pDC);
        return;
      }
    }
    if (pass == 0) {
      SetButtonState(6, 0, pDC);
      SetButtonState(7, 1, pDC);
    }
  }
  SetButtonState(7, 0, pDC);
}
