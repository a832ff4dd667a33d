// The menu calls: loading a menu resource, attaching it to a window, and reading and changing
// the state of its items.
#include "MenuBar.h"
#include "MenuTable.h"
#include "Resources.h"
#include "WindowTree.h"

using namespace zorva::platform;

namespace {

MenuTable& menus() { return MenuTable::instance(); }

constexpr UINT kNotFound = 0xFFFFFFFFu;
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED;

void buildItems(HMENU menu, const std::vector<MenuItemTemplate>& items) {
  for (const MenuItemTemplate& t : items) {
    MenuItem item;
    item.text = t.text;
    item.flags = t.flags & (MF_POPUP | MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED);
    if (item.flags & MF_POPUP) {
      item.popup = menus().create();
      buildItems(item.popup, t.items);
    } else if (!(item.flags & MF_SEPARATOR)) {
      item.id = t.id;
    }
    menus().find(menu)->items.push_back(std::move(item));
  }
}

// The item an id names: by position in `menu`, or by command anywhere below it.
MenuItem* itemFor(HMENU menu, UINT idOrPos, UINT flags) {
  MenuObject* object = menus().find(menu);
  if (object == nullptr) return nullptr;
  if (flags & MF_BYPOSITION) {
    return idOrPos < object->items.size() ? &object->items[idOrPos] : nullptr;
  }
  return menus().findCommand(menu, idOrPos);
}

WindowRecord* topLevel(HWND window) {
  WindowRecord* r = WindowTree::instance().find(window);
  return (r != nullptr && (r->style & WS_CHILD) == 0) ? r : nullptr;
}

}  // namespace

HMENU WINAPI LoadMenuA(HINSTANCE, LPCSTR lpMenuName) {
  const MenuTemplate* resource = findMenu(lpMenuName);
  if (resource == nullptr) return nullptr;
  HMENU menu = menus().create();
  buildItems(menu, resource->items);
  return menu;
}

HMENU WINAPI GetMenu(HWND hWnd) {
  WindowRecord* r = topLevel(hWnd);
  if (r == nullptr || menus().find(r->menu) == nullptr) return nullptr;
  return r->menu;
}

BOOL WINAPI SetMenu(HWND hWnd, HMENU hMenu) {
  WindowRecord* r = topLevel(hWnd);
  if (r == nullptr) return FALSE;  // child windows have no menu bar
  if (hMenu != nullptr && menus().find(hMenu) == nullptr) return FALSE;
  const int before = menuBarHeight(hWnd);
  r->menu = hMenu;
  if (menuBarHeight(hWnd) != before) {
    // The client area moved under the new bar: lay the frame out again and repaint it.
    RECT client{};
    GetClientRect(hWnd, &client);
    SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    InvalidateRect(hWnd, nullptr, TRUE);
  }
  paintMenuBar(hWnd);
  return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND hWnd) {
  if (GetMenu(hWnd) == nullptr) return FALSE;
  paintMenuBar(hWnd);
  return TRUE;
}

BOOL WINAPI DestroyMenu(HMENU hMenu) { return menus().destroy(hMenu) ? TRUE : FALSE; }

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
  MenuItem* item = nPos < 0 ? nullptr : itemFor(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
  return item != nullptr ? item->popup : nullptr;
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
  MenuObject* object = menus().find(hMenu);
  return object != nullptr ? static_cast<int>(object->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
  MenuItem* item = nPos < 0 ? nullptr : itemFor(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
  if (item == nullptr || item->popup != nullptr) return kNotFound;
  return item->id;  // 0 for a separator
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
  MenuItem* item = itemFor(hMenu, uId, uFlags);
  if (item == nullptr) return kNotFound;
  UINT state = item->flags & (kStateBits | MF_CHECKED | MF_SEPARATOR | MF_POPUP);
  if (item->popup != nullptr) {
    // A popup's state carries its item count in the high byte, as the platform's does.
    state |= static_cast<UINT>(GetMenuItemCount(item->popup) & 0xFF) << 8;
  }
  return state;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
  // Only the addressing bit and the state bits mean anything here; anything else is refused.
  if (uEnable & ~(MF_BYPOSITION | kStateBits)) return static_cast<BOOL>(kNotFound);
  MenuItem* item = itemFor(hMenu, uIDEnableItem, uEnable);
  if (item == nullptr) return static_cast<BOOL>(kNotFound);
  const UINT previous = item->flags & kStateBits;
  item->flags = (item->flags & ~kStateBits) | (uEnable & kStateBits);
  return static_cast<BOOL>(previous);
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
  if (uCheck & ~(MF_BYPOSITION | MF_CHECKED)) return kNotFound;
  MenuItem* item = itemFor(hMenu, uIDCheckItem, uCheck);
  if (item == nullptr) return kNotFound;
  const UINT previous = item->flags & MF_CHECKED;
  item->flags = (item->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
  return previous;
}
