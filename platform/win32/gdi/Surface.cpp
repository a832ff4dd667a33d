#include "../Surface.h"

#include <algorithm>

namespace zorva::platform {

void Surface::changed(const PixelRect& rect) const {
  if (holds_ == 0) {
    if (onChanged) onChanged(rect);
    return;
  }
  held_ = unite(held_, rect);
}

void Surface::releaseChanges() const {
  if (holds_ > 0 && --holds_ == 0) tellHeldChanges();
}

void Surface::tellHeldChanges() const {
  if (held_.empty()) return;
  const PixelRect rect = held_;
  held_ = PixelRect{};
  if (onChanged) onChanged(rect);
}

Surface::Surface(int width, int height, uint32_t fill) { resize(width, height, fill); }

void Surface::resize(int width, int height, uint32_t fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  // Memory that cannot be had fails here, where the surface is made, not where it is drawn on.
  pixels_.clear();
  pixels_.reserve(static_cast<size_t>(width_) * height_);
  made_ = false;
  fill_ = fill;
}

void Surface::fill(uint32_t value) {
  // Back to one colour: the pixels are written when next asked for, if ever.
  fill_ = value;
  made_ = false;
}

void Surface::make() const {
  pixels_.assign(static_cast<size_t>(width_) * height_, fill_);
  made_ = true;
}

}  // namespace zorva::platform
