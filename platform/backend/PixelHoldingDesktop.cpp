#include "platform/backend/PixelHoldingDesktop.h"

#include <algorithm>
#include <cstring>

namespace zorva::platform {

PixelHoldingDesktop::PixelHoldingDesktop(std::shared_ptr<DesktopBackend> desktop) : desktop_(std::move(desktop)) {}

void PixelHoldingDesktop::showHeldPixels() {
  if (pending_.empty()) return;
  const ScreenRect shown = pending_;
  pending_ = ScreenRect{};
  last_shown_ms_ = desktop_->nowMs();
  desktop_->present(held_.data(), width_, height_, width_, shown);
}

bool PixelHoldingDesktop::createWindow(const std::string& title, const ScreenRect& outer) {
  return desktop_->createWindow(title, outer);
}

void PixelHoldingDesktop::present(const uint32_t* pixels, int width, int height, int stride,
                                  const ScreenRect& changed) {
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) return;
  if (width != width_ || height != height_) {
    showHeldPixels();  // what was drawn at the old size goes out as it was
    held_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    width_ = width;
    height_ = height;
  }
  const ScreenRect shown = changed.intersect(ScreenRect{0, 0, width, height});
  if (shown.empty()) return;
  for (int y = shown.top; y < shown.bottom; ++y) {
    const uint32_t* src = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride) + shown.left;
    std::memcpy(&held_[static_cast<size_t>(y) * static_cast<size_t>(width) + shown.left], src,
                static_cast<size_t>(shown.width()) * sizeof(uint32_t));
  }
  pending_ = unite(pending_, shown);
  if (desktop_->nowMs() - last_shown_ms_ >= kGatherMs) showHeldPixels();
}

void PixelHoldingDesktop::destroyWindow() {
  pending_ = ScreenRect{};  // no window is left to show it in
  desktop_->destroyWindow();
}

bool PixelHoldingDesktop::pollEvent(InputEvent& event) {
  showHeldPixels();
  return desktop_->pollEvent(event);
}

void PixelHoldingDesktop::waitForEvent(int timeout_ms) {
  showHeldPixels();
  desktop_->waitForEvent(timeout_ms);
}

MessageBoxAnswer PixelHoldingDesktop::messageBox(const std::string& text, const std::string& caption, unsigned flags,
                                                 bool has_owner) {
  showHeldPixels();
  return desktop_->messageBox(text, caption, flags, has_owner);
}

uint64_t PixelHoldingDesktop::nowMs() {
  showHeldPixels();
  return desktop_->nowMs();
}

void PixelHoldingDesktop::sleepMs(int ms) {
  showHeldPixels();
  desktop_->sleepMs(ms);
}

void showHeldPixels() { static_cast<PixelHoldingDesktop&>(desktopBackend()).showHeldPixels(); }

}  // namespace zorva::platform
