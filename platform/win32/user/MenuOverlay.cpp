#include "MenuOverlay.h"

#include <algorithm>

#include "MenuBar.h"
#include "ScreenSurface.h"
#include "WindowTree.h"
#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

Surface* ScreenOverlay::surface() const { return owner_ ? screenSurfaceOf(owner_) : nullptr; }

std::vector<uint32_t> ScreenOverlay::copy(const Surface& surface) const {
  std::vector<uint32_t> out;
  out.reserve(static_cast<size_t>(rect_.right - rect_.left) * (rect_.bottom - rect_.top));
  for (int y = rect_.top; y < rect_.bottom; ++y)
    out.insert(out.end(), surface.row(y) + rect_.left, surface.row(y) + rect_.right);
  return out;
}

bool ScreenOverlay::save(HWND owner, const PixelRect& rect) {
  Surface* s = screenSurfaceOf(owner);
  if (s == nullptr) return false;
  owner_ = owner;
  rect_ = rect.intersect(PixelRect{0, 0, s->width(), s->height()});
  if (rect_.empty()) rect_ = PixelRect{};
  surface_width_ = s->width();
  surface_height_ = s->height();
  under_ = copy(*s);
  drawn_.clear();
  return true;
}

void ScreenOverlay::noteDrawn() {
  if (Surface* s = surface(); s != nullptr && s->width() == surface_width_ &&
                               s->height() == surface_height_)
    drawn_ = copy(*s);
}

void ScreenOverlay::restore() {
  if (owner_ == nullptr) return;
  Surface* s = surface();
  const HWND owner = owner_;
  const PixelRect rect = rect_;
  owner_ = nullptr;
  if (s == nullptr || rect.empty()) return;
  const bool same_size = s->width() == surface_width_ && s->height() == surface_height_;
  if (!same_size || copy(*s) != drawn_) {
    repaintUnder(owner, rect);
    return;
  }
  const int width = rect.right - rect.left;
  for (int y = rect.top; y < rect.bottom; ++y)
    std::copy_n(under_.begin() + static_cast<ptrdiff_t>(y - rect.top) * width, width,
                s->row(y) + rect.left);
  s->changed(rect);
}

namespace {
void invalidateTree(HWND window, const RECT& screen) {
  WindowTree& tree = WindowTree::instance();
  WindowRecord* r = tree.find(window);
  if (r == nullptr) return;
  const RECT client = tree.clientScreenRect(window);
  RECT part{std::max(client.left, screen.left) - client.left,
            std::max(client.top, screen.top) - client.top,
            std::min(client.right, screen.right) - client.left,
            std::min(client.bottom, screen.bottom) - client.top};
  if (part.right > part.left && part.bottom > part.top) InvalidateRect(window, &part, TRUE);
  const std::vector<HWND> children = r->children;
  for (HWND child : children) invalidateTree(child, screen);
}
}  // namespace

void repaintUnder(HWND top_level, const PixelRect& rect) {
  const ScreenRect content = desktopBackend().contentRect();
  const RECT screen{content.left + rect.left, content.top + rect.top, content.left + rect.right,
                    content.top + rect.bottom};
  invalidateTree(top_level, screen);
  if (rect.top < menuBarHeight(top_level)) paintMenuBar(top_level);
}

}  // namespace zorva::platform
