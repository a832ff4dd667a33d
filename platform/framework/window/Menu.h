// CMenu: a thin wrapper over an HMENU, for enabling and checking items from the program.
#pragma once

#include "CmdTarget.h"

class CMenu : public CObject {
  DECLARE_DYNAMIC(CMenu)
 public:
  HMENU m_hMenu = nullptr;

  CMenu() = default;
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  // A wrapper that lives as long as the menu handle does.
  static CMenu* PASCAL FromHandle(HMENU hMenu);
  BOOL LoadMenu(UINT nIDResource);
  BOOL Attach(HMENU hMenu);
  HMENU Detach();
  BOOL DestroyMenu();
  HMENU GetSafeHmenu() const { return m_hMenu; }
  operator HMENU() const { return m_hMenu; }

  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  UINT GetMenuState(UINT nID, UINT nFlags) const;
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;
  CMenu* GetSubMenu(int nPos) const;
};
