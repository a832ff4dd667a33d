// A block of 32-bit pixels that device contexts paint on: the window content's frame buffer or
// the bitmap of a memory DC. Pixels are COLORREF values (0x00BBGGRR), so tests compare with RGB().
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "WinTypes.h"
#include "platform/backend/PixelMemory.h"
#include "platform/backend/PixelRect.h"

namespace zorva::platform {

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, uint32_t fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* row(int y) { return pixels() + static_cast<size_t>(y) * width_; }
  const uint32_t* row(int y) const { return pixels() + static_cast<size_t>(y) * width_; }
  uint32_t pixel(int x, int y) const { return row(y)[x]; }
  void setPixel(int x, int y, uint32_t value) { row(y)[x] = value; }
  const uint32_t* data() const { return pixels(); }
  void resize(int width, int height, uint32_t fill = 0);
  // Every pixel becomes `value`.
  void fill(uint32_t value);

  // Told after each drawing call that changed pixels: the screen surface presents them at once
  // (the batch limit of 1); memory bitmaps have no listener.
  void changed(const PixelRect& rect) const;
  std::function<void(const PixelRect&)> onChanged;

  // While a paint is open (BeginPaint to EndPaint) the changes are gathered and told once, as
  // their bounding rectangle, when the last open paint ends: a paint handler does not wait, so
  // nothing it draws could be seen any sooner, and the desktop copies the pixels once.
  void holdChanges() const { ++holds_; }
  void releaseChanges() const;
  // Tells what was gathered so far, the paint going on (it reads the queue: a dialog of its own).
  void tellHeldChanges() const;

 private:
  // A surface of one colour has its memory but writes no pixels until they are first asked
  // for: a bitmap that is made and then filled whole (a background copy) costs one pass over
  // its memory, or none if nothing ever draws on it or reads it.
  uint32_t* pixels() const {
    if (!made_) make();
    return pixels_.data();
  }
  void make() const;

  int width_ = 0;
  int height_ = 0;
  mutable std::vector<uint32_t, PixelMemory<uint32_t>> pixels_;
  mutable bool made_ = true;
  uint32_t fill_ = 0;  // the colour of every pixel while they are not made
  mutable int holds_ = 0;
  mutable PixelRect held_;
};

// What a window DC paints through: the surface, where the window's client origin lies on it,
// and the parts of the surface it may touch (the client area, or for a paint DC the update
// region within it). An empty clip list paints nothing.
struct DrawTarget {
  Surface* surface = nullptr;
  int origin_x = 0;
  int origin_y = 0;
  std::vector<PixelRect> clip;
  bool paint = false;  // a BeginPaint DC: the surface gathers changes until it is deleted
};

// Made by the window manager for GetDC, GetWindowDC and BeginPaint; released with DeleteDC or
// ReleaseDC. Implemented by the drawing layer.
HDC createWindowDC(const DrawTarget& target, HWND owner);
// The window whose client area a DC draws on; null for memory DCs.
HWND windowOfDC(HDC dc);

}  // namespace zorva::platform
