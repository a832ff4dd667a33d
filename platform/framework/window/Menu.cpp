// CMenu: wrappers of menu handles, made by the program (Attach) or on request (FromHandle).
#include "Menu.h"

#include <map>
#include <memory>


IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

// Menus wrapped by an object the program made (Attach) and wrappers made on request
// (FromHandle), which live until the program ends or the menu is destroyed through them.
struct MenuMaps {
  std::map<HMENU, CMenu*> permanent;
  std::map<HMENU, std::unique_ptr<CMenu>> temporary;
  ~MenuMaps() {
    for (auto& entry : temporary) entry.second->Detach();
  }
};
MenuMaps& maps() {
  static MenuMaps m;
  return m;
}

}  // namespace

CMenu::~CMenu() {
  if (m_hMenu != nullptr) DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
  if (hMenu == nullptr) return nullptr;
  MenuMaps& m = maps();
  if (auto it = m.permanent.find(hMenu); it != m.permanent.end()) return it->second;
  std::unique_ptr<CMenu>& slot = m.temporary[hMenu];
  if (!slot) {
    slot = std::make_unique<CMenu>();
    slot->m_hMenu = hMenu;
  }
  return slot.get();
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
  return Attach(::LoadMenuA(nullptr, MAKEINTRESOURCE(nIDResource)));
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == nullptr || m_hMenu != nullptr) return FALSE;
  m_hMenu = hMenu;
  maps().permanent[hMenu] = this;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (h != nullptr) {
    auto it = maps().permanent.find(h);
    if (it != maps().permanent.end() && it->second == this) maps().permanent.erase(it);
  }
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::DestroyMenu() {
  HMENU h = Detach();
  if (h == nullptr) return FALSE;
  const BOOL done = ::DestroyMenu(h);
  // A temporary wrapper of the same handle now names nothing.
  if (auto it = maps().temporary.find(h); it != maps().temporary.end() && it->second.get() != this)
    it->second->m_hMenu = nullptr;
  return done;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
  return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
