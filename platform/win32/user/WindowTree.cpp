#include "WindowTree.h"

#include <algorithm>

#include "MenuBar.h"
#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

WindowTree& WindowTree::instance() {
  static WindowTree tree;
  return tree;
}

WindowRecord* WindowTree::find(HWND window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

HWND WindowTree::add(std::unique_ptr<WindowRecord> record) {
  // Handles are never reused, so a stale handle never names a newer window.
  HWND handle = reinterpret_cast<HWND>(next_handle_);
  next_handle_ += 4;
  record->handle = handle;
  if (WindowRecord* parent = find(record->parent)) {
    parent->children.push_back(handle);
  } else {
    record->parent = nullptr;
    top_levels_.push_back(handle);
  }
  windows_[handle] = std::move(record);
  return handle;
}

void WindowTree::remove(HWND window) {
  WindowRecord* record = find(window);
  if (record == nullptr) return;
  if (WindowRecord* parent = find(record->parent)) {
    auto& list = parent->children;
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
  }
  top_levels_.erase(std::remove(top_levels_.begin(), top_levels_.end(), window),
                    top_levels_.end());
  if (record->screen != nullptr) {
    // A DC taken before the window went (a click handler's, during a nested pump) may still
    // draw: its pixels stay valid and simply reach no desktop any more.
    record->screen->onChanged = nullptr;
    retired_screens_.push_back(std::move(record->screen));
    if (retired_screens_.size() > kRetiredScreens) retired_screens_.erase(retired_screens_.begin());
  }
  if (focus == window) focus = nullptr;
  if (last_click.window == window) last_click = ClickRecord{};
  windows_.erase(window);
}

bool WindowTree::isDescendant(HWND window, HWND ancestor) {
  for (WindowRecord* r = find(window); r != nullptr; r = find(r->parent)) {
    if (r->parent == ancestor && ancestor != nullptr) return true;
  }
  return false;
}

static int edgeOf(const WindowRecord& r) {
  if (r.ex_style & WS_EX_CLIENTEDGE) return 2;
  if (r.style & WS_BORDER) return 1;
  return 0;
}

RECT WindowTree::screenRect(HWND window) {
  WindowRecord* r = find(window);
  if (r == nullptr) return RECT{};
  if (r->parent == nullptr) return r->rect;
  RECT origin = clientScreenRect(r->parent);
  return RECT{origin.left + r->rect.left, origin.top + r->rect.top, origin.left + r->rect.right,
              origin.top + r->rect.bottom};
}

// The desktop window's content on the screen: where the desktop puts it, as large as the
// surface (which follows every resize the desktop reports).
static RECT contentScreenRect(const WindowRecord& r) {
  const ScreenRect c = desktopBackend().contentRect();
  if (r.screen == nullptr) return RECT{c.left, c.top, c.right, c.bottom};
  return RECT{c.left, c.top, c.left + r.screen->width(), c.top + r.screen->height()};
}

RECT WindowTree::clientScreenRect(HWND window) {
  WindowRecord* r = find(window);
  if (r == nullptr) return RECT{};
  if (r->parent == nullptr && r->backend_window) {
    // The menu bar takes the content's top rows.
    const RECT c = contentScreenRect(*r);
    const int bar = std::min(menuBarHeight(window), static_cast<int>(c.bottom - c.top));
    return RECT{c.left, c.top + bar, c.right, c.bottom};
  }
  RECT outer = screenRect(window);
  const int edge = edgeOf(*r);
  RECT inner{outer.left + edge, outer.top + edge, outer.right - edge, outer.bottom - edge};
  if (inner.right < inner.left) inner.right = inner.left;
  if (inner.bottom < inner.top) inner.bottom = inner.top;
  return inner;
}

void WindowTree::collect(HWND window, int depth, std::vector<WindowBox>& out) {
  WindowRecord* r = find(window);
  if (r == nullptr) return;
  WindowBox box;
  box.window = window;
  box.parent = r->parent;
  box.depth = depth;
  box.visible = r->visible;
  // A window is only hit inside its parent's client area.
  if (r->parent) {
    box.screen = screenRect(window);
  } else if (r->backend_window) {
    box.screen = contentScreenRect(*r);
  } else {
    box.screen = r->rect;
  }
  out.push_back(box);
  for (HWND child : r->children) collect(child, depth + 1, out);
}

HWND WindowTree::windowAt(int x, int y) {
  for (auto it = top_levels_.rbegin(); it != top_levels_.rend(); ++it) {
    std::vector<WindowBox> boxes;
    collect(*it, 0, boxes);
    if (HWND hit = hitTestWindows(boxes, x, y)) return hit;
  }
  return nullptr;
}

HWND WindowTree::firstToPaint(HWND filter) {
  for (HWND top : top_levels_) {
    std::vector<WindowBox> boxes;
    collect(top, 0, boxes);
    for (const WindowBox& b : boxes) {
      WindowRecord* r = find(b.window);
      if (!r->has_update) continue;
      if (filter == nullptr || b.window == filter || isDescendant(b.window, filter))
        return b.window;
    }
  }
  return nullptr;
}

HWND WindowTree::desktopWindow() {
  for (HWND top : top_levels_)
    if (find(top)->backend_window) return top;
  return nullptr;
}

bool WindowTree::takesInput(HWND window) {
  WindowRecord* r = find(window);
  if (r == nullptr) return false;
  for (; r != nullptr; r = find(r->parent))
    if (!r->enabled) return false;
  return true;
}

}  // namespace zorva::platform
