#include "../Surface.h"

#include <algorithm>

namespace zorva::platform {

PixelRect PixelRect::intersect(const PixelRect& other) const {
  PixelRect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
              std::min(bottom, other.bottom)};
  if (r.empty()) return PixelRect{};
  return r;
}

Surface::Surface(int width, int height, uint32_t fill) { resize(width, height, fill); }

void Surface::resize(int width, int height, uint32_t fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * height_, fill);
}

}  // namespace zorva::platform
