// A rectangle of pixels: left and top inclusive, right and bottom exclusive. The one rectangle
// type of the platform's internals, on either side of the backend seam.
#pragma once

#include <algorithm>

namespace zorva::platform {

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  // The common part; an empty rectangle at the origin when there is none.
  PixelRect intersect(const PixelRect& other) const {
    const PixelRect r{std::max(left, other.left), std::max(top, other.top),
                      std::min(right, other.right), std::min(bottom, other.bottom)};
    return r.empty() ? PixelRect{} : r;
  }
};

// The smallest rectangle holding both; an empty one adds nothing.
inline PixelRect unite(const PixelRect& a, const PixelRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace zorva::platform
