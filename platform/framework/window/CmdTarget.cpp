#include "CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT nMsg, UINT nCode,
                                            UINT nID) {
  // The most derived class's entries first, then each base's; the first match wins.
  for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nMessage == nMsg && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
        return e;
    }
  }
  return nullptr;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  const AFX_MSGMAP_ENTRY* e =
      AfxFindMessageEntry(GetMessageMap(), WM_COMMAND, static_cast<UINT>(nCode), nID);
  if (e == nullptr) return FALSE;
  if (pHandlerInfo != nullptr) {
    // Only asked whether someone handles it.
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pmf = e->pfn;
    return TRUE;
  }
  switch (e->nSig) {
    case AfxSig_vv:
      (this->*(e->pfn))();
      return TRUE;
    case AfxSig_vw:
      (this->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(e->pfn))(nID);
      return TRUE;
    case AfxSig_cmdui: {
      auto* ui = static_cast<CCmdUI*>(pExtra);
      if (ui == nullptr) return FALSE;
      (this->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(e->pfn))(ui);
      return TRUE;
    }
    default:
      return FALSE;  // a command entry of another shape is not ours to call
  }
}
#pragma GCC diagnostic pop

void CCmdUI::Enable(BOOL bOn) {
  m_bEnabled = bOn;
  m_bEnableChanged = TRUE;
  if (m_hMenu != nullptr)
    ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
}

void CCmdUI::SetCheck(int nCheck) {
  m_nCheck = nCheck;
  if (m_hMenu != nullptr)
    ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (pTarget == nullptr) return FALSE;
  m_bEnableChanged = FALSE;
  const BOOL answered = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this,
                                          nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    // No update handler decided: the item is enabled exactly when some object runs it.
    AFX_CMDHANDLERINFO info;
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return answered;
}

bool AfxIsCommandHandled(CCmdTarget* route, UINT nID) {
  if (route == nullptr) return false;
  AFX_CMDHANDLERINFO info;
  return route->OnCmdMsg(nID, CN_COMMAND, nullptr, &info) != FALSE;
}

bool AfxIsCommandEnabled(CCmdTarget* route, UINT nID) {
  CCmdUI ui;
  ui.m_nID = nID;
  ui.DoUpdate(route, TRUE);
  return ui.m_bEnabled != FALSE;
}
