// The resource registry: descriptions register at static-init time, look-ups by id.
#include "Resources.h"

#include <cstdlib>
#include <map>

namespace zorva::platform {
namespace {

// Function-local so registration from any translation unit's static objects finds them built.
struct Registry {
  std::map<UINT, MenuTemplate> menus;
  std::map<UINT, std::vector<ACCEL>> accelerators;
  std::map<UINT, std::string> strings;
  std::map<UINT, DialogTemplate> dialogs;
  std::map<UINT, IconTemplate> icons;
};

Registry& registry() {
  static Registry instance;
  return instance;
}

template <typename Map>
const typename Map::mapped_type* findIn(const Map& map, LPCSTR name) {
  UINT id = 0;
  if (!resourceIdFromName(name, id)) return nullptr;
  auto found = map.find(id);
  return found == map.end() ? nullptr : &found->second;
}

}  // namespace

bool resourceIdFromName(LPCSTR name, UINT& id) {
  if (name == nullptr) return false;
  if (IS_INTRESOURCE(name)) {
    id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
    return true;
  }
  // "#128": a decimal id of at most five digits, nothing after it.
  if (name[0] != '#' || name[1] == '\0') return false;
  UINT value = 0;
  for (const char* p = name + 1; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9' || p - name > 5) return false;
    value = value * 10 + static_cast<UINT>(*p - '0');
  }
  if (value > 0xFFFF) return false;
  id = value;
  return true;
}

bool registerMenu(UINT id, std::initializer_list<MenuItemTemplate> items) {
  registry().menus[id] = MenuTemplate{std::vector<MenuItemTemplate>(items)};
  return true;
}

bool registerAccelerators(UINT id, std::initializer_list<ACCEL> entries) {
  registry().accelerators[id] = std::vector<ACCEL>(entries);
  return true;
}

bool registerStrings(std::initializer_list<StringEntry> entries) {
  for (const StringEntry& entry : entries) registry().strings[entry.id] = entry.text ? entry.text : "";
  return true;
}

bool registerDialog(UINT id, DialogTemplate dialog) {
  registry().dialogs[id] = std::move(dialog);
  return true;
}

bool registerDialog(UINT id, short x, short y, short cx, short cy, DWORD style,
                    const char* caption, const char* fontName, WORD pointSize,
                    std::initializer_list<DialogItemTemplate> items) {
  DialogTemplate dialog;
  dialog.x = x;
  dialog.y = y;
  dialog.cx = cx;
  dialog.cy = cy;
  dialog.style = style;
  dialog.caption = caption ? caption : "";
  dialog.fontName = fontName ? fontName : "";
  dialog.pointSize = pointSize;
  dialog.items = items;
  return registerDialog(id, std::move(dialog));
}

bool registerIcon(UINT id, const IconPalette& palette, std::initializer_list<const char*> rows) {
  IconTemplate icon;
  icon.pixels.assign(static_cast<size_t>(kIconSizePx) * kIconSizePx, kIconTransparent);
  int y = 0;
  for (const char* row : rows) {
    if (y >= kIconSizePx) break;
    for (int x = 0; row != nullptr && x < kIconSizePx && row[x] != '\0'; ++x) {
      for (const IconColor& color : palette.colors) {
        if (color.symbol == row[x]) {
          icon.pixels[static_cast<size_t>(y) * kIconSizePx + x] = color.color;
          break;
        }
      }
    }
    ++y;
  }
  registry().icons[id] = std::move(icon);
  return true;
}

const MenuTemplate* findMenu(LPCSTR name) { return findIn(registry().menus, name); }
const std::vector<ACCEL>* findAccelerators(LPCSTR name) {
  return findIn(registry().accelerators, name);
}
const std::string* findString(UINT id) {
  auto found = registry().strings.find(id);
  return found == registry().strings.end() ? nullptr : &found->second;
}
const DialogTemplate* findDialog(LPCSTR name) { return findIn(registry().dialogs, name); }
const IconTemplate* findIcon(LPCSTR name) { return findIn(registry().icons, name); }

}  // namespace zorva::platform
