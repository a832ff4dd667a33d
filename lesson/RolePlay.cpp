// Choosing the learner's role chains.
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
