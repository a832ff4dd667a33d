// Pixels drawn over a window for a while (an open menu popup, a modal dialog) without the
// window underneath knowing: what they cover is saved first and put back when they go, so the
// program's view is not asked to repaint. Should something else draw over the overlay
// meanwhile, the saved pixels no longer fit; the windows underneath are then repainted instead.
#pragma once

#include <cstdint>
#include <vector>

#include "../Surface.h"
#include "WinUser.h"

namespace zorva::platform {

class ScreenOverlay {
 public:
  // Saves the pixels of `rect` (content pixels, clipped to the surface) of the window's screen
  // surface. False when the window has no surface.
  bool save(HWND owner, const PixelRect& rect);
  // Takes note of the overlay as drawn, so restore() can tell whether it was drawn over.
  void noteDrawn();
  // Puts the saved pixels back and presents them, or, when the overlay was drawn over or the
  // surface changed size, has the windows under it repainted. Forgets the overlay.
  void restore();
  const PixelRect& rect() const { return rect_; }
  HWND owner() const { return owner_; }

 private:
  Surface* surface() const;
  std::vector<uint32_t> copy(const Surface& surface) const;

  HWND owner_ = nullptr;
  PixelRect rect_{};
  int surface_width_ = 0;
  int surface_height_ = 0;
  std::vector<uint32_t> under_;
  std::vector<uint32_t> drawn_;
};

// Asks the window and each of its descendants to repaint what lies under `rect` (content
// pixels), including the menu bar's rows.
void repaintUnder(HWND top_level, const PixelRect& rect);

}  // namespace zorva::platform
