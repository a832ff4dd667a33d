// Choosing the learner's role chains.
#include "lesson/LessonBook.h"

void CLessonBook::ToggleRole(short nItem, CDC* pDC) {
  CPageAudio* pItem = Item(nItem);
  if (pItem == NULL) return;
  short nNext = pItem->m_nNextInRole;
  pItem->m_bLearnerRole = !pItem->m_bLearnerRole;
  pItem->DrawRoleMarker(pDC);
  // Page data may link outside the page or in a circle: the chain ends at an index outside the
  // items or at an item it has already passed.
  bool passed[kMaxItems] = {};
  passed[nItem] = true;
  while (nNext != -1) {
    pItem = Item(nNext);
    if (pItem == NULL || passed[nNext]) break;
    passed[nNext] = true;
    pItem->m_bLearnerRole = !pItem->m_bLearnerRole;
    pItem->DrawRoleMarker(pDC);
    nNext = pItem->m_nNextInRole;
  }
  for (int i = 0; i < m_nItems; i++) {
    CPageAudio* p = Item(i);
    if (p != NULL && p->m_bLearnerRole) {
      m_buttons[kRepeatButton]->m_strCaption = "Roleplay";
      m_buttons[kRepeatButton]->Draw(pDC);
      m_bRolePlay = 1;
      return;
    }
  }
  m_buttons[kRepeatButton]->m_strCaption = "Repeat after me";
  m_buttons[kRepeatButton]->Draw(pDC);
  m_bRolePlay = 0;
}
