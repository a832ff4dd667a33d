// The menus the program has loaded: each HMENU names a list of items; an item is a command,
// a separator or a popup (itself a menu). Handles are never reused, so a destroyed menu's
// handle is simply unknown afterwards.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "WinUser.h"

namespace zorva::platform {

struct MenuItem {
  std::string text;  // with "&" mnemonics and "\t" accelerator text
  UINT id = 0;       // command id; 0 for popups and separators
  UINT flags = 0;    // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_DISABLED, MF_CHECKED
  HMENU popup = nullptr;

  bool separator() const { return (flags & MF_SEPARATOR) != 0; }
  bool enabled() const { return (flags & (MF_GRAYED | MF_DISABLED)) == 0; }
};

struct MenuObject {
  std::vector<MenuItem> items;
};

class MenuTable {
 public:
  static MenuTable& instance();

  HMENU create();
  MenuObject* find(HMENU menu);
  // Destroys the menu and the popups it holds.
  bool destroy(HMENU menu);
  // The item with command id `id` in `menu` or any popup below it, with the menu holding it.
  MenuItem* findCommand(HMENU menu, UINT id, HMENU* holder = nullptr);

 private:
  std::map<HMENU, std::unique_ptr<MenuObject>> menus_;
  uintptr_t next_handle_ = 0x20000;
};

}  // namespace zorva::platform
