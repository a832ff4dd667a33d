// CCmdTarget: an object that takes commands through its message map; CCmdUI: the query that
// decides whether a command's menu item is enabled (an item no object handles is grey).
#pragma once

#include "../core/AfxCore.h"
#include "MessageMap.h"

class CCmdUI {
 public:
  UINT m_nID = 0;
  UINT m_nIndex = 0;
  HMENU m_hMenu = nullptr;       // the popup holding the item, when the query is for a menu
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bEnabled = TRUE;  // the answer of the last Enable
  int m_nCheck = 0;        // the answer of the last SetCheck

  virtual ~CCmdUI() = default;
  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  // Asks pTarget (and its route) about the command; with bDisableIfNoHndler an unhandled
  // command is disabled. Returns TRUE when some object answered.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Filled by OnCmdMsg when a caller only asks whether a command is handled.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget = nullptr;
  AFX_PMSG pmf = nullptr;
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // nCode CN_COMMAND runs the handler (or, with pHandlerInfo, only reports it);
  // CN_UPDATE_COMMAND_UI passes a CCmdUI* in pExtra. Returns TRUE when handled.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

 protected:
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Whether some object of the route (`route` and whatever its OnCmdMsg offers the command to)
// has an ON_COMMAND entry for nID. Runs nothing.
bool AfxIsCommandHandled(CCmdTarget* route, UINT nID);
// Whether a menu item for nID is enabled: an ON_UPDATE_COMMAND_UI handler of the route decides;
// without one, the item is enabled exactly when the command is handled.
bool AfxIsCommandEnabled(CCmdTarget* route, UINT nID);
