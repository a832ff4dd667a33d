#include "MenuTable.h"

namespace zorva::platform {

namespace {
// Popups nest only as deep as a resource describes them; the bound keeps a damaged (cyclic)
// structure from recursing without end.
constexpr int kMaxMenuDepth = 16;

MenuItem* findIn(MenuTable& table, HMENU menu, UINT id, HMENU* holder, int depth) {
  MenuObject* object = table.find(menu);
  if (object == nullptr || depth > kMaxMenuDepth) return nullptr;
  for (MenuItem& item : object->items) {
    if (item.popup != nullptr) {
      if (MenuItem* found = findIn(table, item.popup, id, holder, depth + 1)) return found;
    } else if (!item.separator() && item.id == id) {
      if (holder) *holder = menu;
      return &item;
    }
  }
  return nullptr;
}
}  // namespace

MenuTable& MenuTable::instance() {
  static MenuTable table;
  return table;
}

HMENU MenuTable::create() {
  HMENU handle = reinterpret_cast<HMENU>(next_handle_);
  next_handle_ += 4;
  menus_[handle] = std::make_unique<MenuObject>();
  return handle;
}

MenuObject* MenuTable::find(HMENU menu) {
  auto it = menus_.find(menu);
  return it == menus_.end() ? nullptr : it->second.get();
}

bool MenuTable::destroy(HMENU menu) {
  auto it = menus_.find(menu);
  if (it == menus_.end()) return false;
  std::unique_ptr<MenuObject> object = std::move(it->second);
  menus_.erase(it);
  for (const MenuItem& item : object->items)
    if (item.popup != nullptr) destroy(item.popup);
  return true;
}

MenuItem* MenuTable::findCommand(HMENU menu, UINT id, HMENU* holder) {
  return findIn(*this, menu, id, holder, 0);
}

}  // namespace zorva::platform
