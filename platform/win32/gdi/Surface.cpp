#include "../Surface.h"

#include <algorithm>

namespace zorva::platform {

Surface::Surface(int width, int height, uint32_t fill) { resize(width, height, fill); }

void Surface::resize(int width, int height, uint32_t fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * height_, fill);
}

}  // namespace zorva::platform
