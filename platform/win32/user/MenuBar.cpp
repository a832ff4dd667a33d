// The menu bar of the frame and its one open popup: drawing, and what raw input does to them.
// The popup is not a window: it is drawn over the frame's screen surface, what it covers is
// saved, and every input event goes to the menu while it is open.
#include "MenuBar.h"

#include "MenuKeys.h"
#include "MenuLayout.h"
#include "MenuOverlay.h"
#include "MenuPaint.h"
#include "MenuTable.h"
#include "ScreenSurface.h"
#include "WindowTree.h"

namespace zorva::platform {

namespace {

struct Tracking {
  HWND frame = nullptr;
  int open = -1;  // the bar entry whose popup is open
  int hot = -1;   // the popup item under the pointer or chosen by the arrow keys
  PopupLayout layout;
  ScreenOverlay overlay;
};

Tracking& tracking() {
  static Tracking state;
  return state;
}

MenuObject* barOf(HWND frame) {
  WindowRecord* record = WindowTree::instance().find(frame);
  if (record == nullptr || (record->style & WS_CHILD)) return nullptr;
  return MenuTable::instance().find(record->menu);
}

MenuObject* openPopup() {
  Tracking& t = tracking();
  MenuObject* bar = barOf(t.frame);
  if (bar == nullptr || t.open < 0 || t.open >= static_cast<int>(bar->items.size()))
    return nullptr;
  return MenuTable::instance().find(bar->items[t.open].popup);
}

void redrawPopup() {
  Tracking& t = tracking();
  MenuObject* popup = openPopup();
  Surface* surface = screenSurfaceOf(t.frame);
  if (popup == nullptr || surface == nullptr) return;
  drawPopup(*surface, t.frame, *popup, t.layout, t.hot);
  t.overlay.noteDrawn();
}

void closeMenu() {
  Tracking& t = tracking();
  if (t.frame == nullptr) return;
  const HWND frame = t.frame;
  t.overlay.restore();
  t.frame = nullptr;
  t.open = t.hot = -1;
  paintMenuBar(frame);
}

int firstSelectable(const MenuObject& popup, int from, int step) {
  const int n = static_cast<int>(popup.items.size());
  for (int k = 0, i = from; k < n; ++k, i = (i + step + n) % n)
    if (!popup.items[i].separator()) return i;
  return -1;
}

// Opens entry `index` of the frame's bar. The frame is told first (WM_INITMENUPOPUP), so the
// command route can grey what no one handles.
void openMenu(HWND frame, int index, bool by_keyboard) {
  closeMenu();
  MenuObject* bar = barOf(frame);
  Surface* surface = screenSurfaceOf(frame);
  if (bar == nullptr || surface == nullptr || index < 0 ||
      index >= static_cast<int>(bar->items.size()))
    return;
  const HMENU handle = bar->items[index].popup;
  if (handle == nullptr) return;
  SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle),
               MAKELPARAM(static_cast<WORD>(index), FALSE));
  bar = barOf(frame);  // the frame may have changed its menu meanwhile
  MenuObject* popup = MenuTable::instance().find(handle);
  if (bar == nullptr || popup == nullptr) return;
  Tracking& t = tracking();
  const BarLayout bar_layout = layoutMenuBar(*bar, menuFont());
  t.frame = frame;
  t.open = index;
  t.layout = layoutPopup(*popup, menuFont(), bar_layout.titles[index], surface->width(),
                         surface->height());
  t.hot = by_keyboard ? firstSelectable(*popup, 0, 1) : -1;
  paintMenuBar(frame);
  t.overlay.save(frame, t.layout.box);
  redrawPopup();
}

// Closes the menu and posts the command of item `index`, if the item may be chosen.
void choose(int index) {
  Tracking& t = tracking();
  MenuObject* popup = openPopup();
  if (popup == nullptr || index < 0 || index >= static_cast<int>(popup->items.size())) return;
  const MenuItem& item = popup->items[index];
  if (item.separator() || !item.enabled() || item.popup != nullptr) return;
  const UINT id = item.id;
  const HWND frame = t.frame;
  closeMenu();
  PostMessageA(frame, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

int titleAt(HWND frame, int x, int y) {
  MenuObject* bar = barOf(frame);
  return bar ? hitIndex(layoutMenuBar(*bar, menuFont()).titles, x, y) : -1;
}

int barIndexForMnemonic(HWND frame, unsigned vk) {
  MenuObject* bar = barOf(frame);
  for (size_t i = 0; bar != nullptr && i < bar->items.size(); ++i)
    if (menuMnemonic(bar->items[i].text) != 0 &&
        static_cast<unsigned>(menuMnemonic(bar->items[i].text)) == vk)
      return static_cast<int>(i);
  return -1;
}

bool mouseWhileOpen(const InputEvent& e) {
  Tracking& t = tracking();
  MenuObject* popup = openPopup();
  if (popup == nullptr) {
    closeMenu();
    return true;
  }
  const int item = hitIndex(t.layout.items, e.x, e.y);
  const int title = titleAt(t.frame, e.x, e.y);
  if (e.kind == InputKind::MouseMove) {
    if (title >= 0 && title != t.open) {
      openMenu(t.frame, title, false);
    } else if (item != t.hot && (item < 0 || !popup->items[item].separator())) {
      t.hot = item;
      redrawPopup();
    }
  } else if (e.kind == InputKind::MouseDown) {
    if (title == t.open) {
      closeMenu();  // a second click on the open title closes it
    } else if (title >= 0) {
      openMenu(t.frame, title, false);
    } else if (!t.layout.box.contains(e.x, e.y)) {
      closeMenu();  // a click elsewhere only closes the menu
    }
  } else if (e.kind == InputKind::MouseUp && e.button == MouseButton::Left && item >= 0) {
    choose(item);
  }
  return true;
}

bool keyWhileOpen(const InputEvent& e) {
  Tracking& t = tracking();
  MenuObject* popup = openPopup();
  MenuObject* bar = barOf(t.frame);
  if (popup == nullptr || bar == nullptr) {
    closeMenu();
    return true;
  }
  if (e.kind != InputKind::KeyDown) return true;
  const int titles = static_cast<int>(bar->items.size());
  switch (e.virtual_key) {
    case VK_ESCAPE:
    case VK_F10:
      closeMenu();
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      openMenu(t.frame, (t.open + (e.virtual_key == VK_LEFT ? titles - 1 : 1)) % titles, true);
      return true;
    case VK_UP:
    case VK_DOWN: {
      const int step = e.virtual_key == VK_UP ? -1 : 1;
      const int n = static_cast<int>(popup->items.size());
      const int from = t.hot < 0 ? (step > 0 ? 0 : n - 1) : (t.hot + step + n) % n;
      t.hot = firstSelectable(*popup, from, step);
      redrawPopup();
      return true;
    }
    case VK_RETURN:
      choose(t.hot);
      return true;
    default:
      break;
  }
  for (size_t i = 0; i < popup->items.size(); ++i)
    if (menuMnemonic(popup->items[i].text) != 0 &&
        static_cast<unsigned>(menuMnemonic(popup->items[i].text)) == e.virtual_key) {
      choose(static_cast<int>(i));
      break;
    }
  return true;
}

bool inputWhileOpen(const InputEvent& e) {
  switch (e.kind) {
    case InputKind::MouseDown:
    case InputKind::MouseUp:
    case InputKind::MouseMove:
      return mouseWhileOpen(e);
    case InputKind::KeyDown:
    case InputKind::KeyUp:
      return keyWhileOpen(e);
    case InputKind::CloseRequest:
    case InputKind::Resize:
      closeMenu();
      return false;  // the window still has to hear of it
    default:
      return false;
  }
}

}  // namespace

int menuBarHeight(HWND frame) { return barOf(frame) ? menuBarHeightFor(menuFont()) : 0; }

void paintMenuBar(HWND frame) {
  MenuObject* bar = barOf(frame);
  Surface* surface = screenSurfaceOf(frame);
  WindowRecord* record = WindowTree::instance().find(frame);
  if (bar == nullptr || surface == nullptr || !record->backend_window) return;
  const int open = tracking().frame == frame ? tracking().open : -1;
  drawMenuBar(*surface, frame, *bar, layoutMenuBar(*bar, menuFont()), open);
}

bool menuTakesInput(HWND frame, const InputEvent& event) {
  noteKeyEvent(event);
  Tracking& t = tracking();
  if (t.frame != nullptr && (t.frame != frame || barOf(frame) == nullptr || !IsWindowEnabled(frame)))
    closeMenu();  // the menu's frame went away or took a modal dialog
  if (barOf(frame) == nullptr || !IsWindowEnabled(frame)) return false;
  if (t.frame == frame) return inputWhileOpen(event);
  const bool in_bar = event.y >= 0 && event.y < menuBarHeight(frame);
  switch (event.kind) {
    case InputKind::MouseDown:
      if (in_bar && event.button == MouseButton::Left)
        openMenu(frame, titleAt(frame, event.x, event.y), false);
      return in_bar;
    case InputKind::MouseUp:
    case InputKind::MouseMove:
      return in_bar;
    case InputKind::KeyDown:
      if (event.virtual_key == VK_F10 && (event.modifiers & (ModCtrl | ModAlt)) == 0) {
        openMenu(frame, 0, true);
        return true;
      }
      if ((event.modifiers & ModAlt) && (event.modifiers & ModCtrl) == 0) {
        const int index = barIndexForMnemonic(frame, event.virtual_key);
        if (index >= 0) openMenu(frame, index, true);
        return index >= 0;
      }
      return false;
    default:
      return false;
  }
}

bool menuIsOpen(HWND frame) { return tracking().frame == frame && frame != nullptr; }

}  // namespace zorva::platform
