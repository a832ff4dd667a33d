// The desktop window's screen surface, and where windows lie on it.
#include "ScreenSurface.h"

#include <algorithm>

#include "MenuBar.h"
#include "WindowTree.h"
#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

HWND desktopWindowOf(HWND window) {
  WindowTree& tree = WindowTree::instance();
  WindowRecord* r = tree.find(window);
  // Bounded walk: a pop-up's owner is a top-level window, never the pop-up itself.
  for (int hops = 0; r != nullptr && hops < 64; ++hops) {
    while (r != nullptr && r->parent != nullptr) r = tree.find(r->parent);
    if (r == nullptr) return nullptr;
    if (r->backend_window) return r->handle;
    r = tree.find(r->owner);
  }
  return nullptr;
}

Surface* screenSurfaceOf(HWND window) {
  WindowRecord* r = WindowTree::instance().find(desktopWindowOf(window));
  return r ? r->screen.get() : nullptr;
}

PixelRect screenToSurface(const RECT& screen) {
  const ScreenRect c = desktopBackend().contentRect();
  return PixelRect{screen.left - c.left, screen.top - c.top, screen.right - c.left,
                   screen.bottom - c.top};
}

RECT surfaceToScreen(const PixelRect& surface) {
  const ScreenRect c = desktopBackend().contentRect();
  return RECT{surface.left + c.left, surface.top + c.top, surface.right + c.left,
              surface.bottom + c.top};
}

void makeScreenSurface(HWND desktop) {
  WindowRecord* r = WindowTree::instance().find(desktop);
  if (r == nullptr) return;
  const ScreenRect c = desktopBackend().contentRect();
  r->screen = std::make_unique<Surface>(c.width(), c.height(), GetSysColor(COLOR_WINDOW));
  Surface* s = r->screen.get();
  // Every change reaches the desktop at once, so drawing inside a long call is seen.
  s->onChanged = [s](const PixelRect& changed) {
    const PixelRect part = changed.intersect(PixelRect{0, 0, s->width(), s->height()});
    if (part.empty()) return;
    desktopBackend().present(s->data(), s->width(), s->height(), s->width(), part);
  };
}

void invalidateWhole(HWND window) {
  WindowTree& tree = WindowTree::instance();
  WindowRecord* r = tree.find(window);
  if (r == nullptr) return;
  r->frame_pending = true;
  InvalidateRect(window, nullptr, TRUE);
  const std::vector<HWND> children = r->children;
  for (HWND child : children) invalidateWhole(child);
}

static void invalidateDesktop() {
  WindowTree& tree = WindowTree::instance();
  const std::vector<HWND> tops = tree.topLevels();
  for (HWND top : tops)
    if (desktopWindowOf(top) != nullptr) invalidateWhole(top);
}

void desktopResized(int width, int height) {
  WindowTree& tree = WindowTree::instance();
  HWND desktop = tree.desktopWindow();
  WindowRecord* r = tree.find(desktop);
  if (r == nullptr || r->screen == nullptr) return;
  width = std::max(width, 0);
  height = std::max(height, 0);
  // The outer rectangle keeps its decorations around the new content size.
  r->rect.right += width - r->screen->width();
  r->rect.bottom += height - r->screen->height();
  r->screen->resize(width, height, GetSysColor(COLOR_WINDOW));
  RECT client{};
  GetClientRect(desktop, &client);
  SendMessageA(desktop, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  // The surface was made afresh, so every window paints again, whatever its class says.
  invalidateDesktop();
}

void showHeldChanges() {
  WindowTree& tree = WindowTree::instance();
  WindowRecord* r = tree.find(tree.desktopWindow());
  if (r != nullptr && r->screen != nullptr) r->screen->tellHeldChanges();
}

}  // namespace zorva::platform
