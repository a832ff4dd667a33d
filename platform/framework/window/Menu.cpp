// CMenu, and the framework's automatic enabling of menu items: before a popup opens, each item
// asks the frame's command route; an item whose command no object handles is shown grey.
#include "Menu.h"

#include <map>
#include <memory>

#include "Wnd.h"
#include "platform/win32/user/MenuBar.h"

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

void updatePopupFromRoute(HWND frame, HMENU popup) {
  CWnd* wnd = CWnd::FromHandlePermanent(frame);
  if (wnd == nullptr) return;  // a window of no framework object: its states are its own
  const int count = ::GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const UINT id = ::GetMenuItemID(popup, i);
    if (id == 0 || id == 0xFFFFFFFFu) continue;  // separators and nested popups
    // An update handler decides; otherwise the item is enabled exactly when someone handles it.
    CCmdUI ui;
    ui.m_nID = id;
    ui.m_nIndex = static_cast<UINT>(i);
    ui.m_hMenu = popup;
    ui.DoUpdate(wnd, TRUE);
  }
}

[[maybe_unused]] const bool g_routeInstalled =
    (zorva::platform::setMenuUpdateHook(&updatePopupFromRoute), true);

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
