// Drawing calls come one pixel or one line at a time, and showing each alone costs a real
// desktop a round trip; so the platform's desktop, whichever it is, sits inside this one, which
// gathers presented pixels for up to kGatherMs and shows them together. What the learner sees is
// never older than what the program waits on, hears or asks about: whatever is held is shown
// before every input poll and wait, clock read, sleep and message box, and when the waveform
// calls ask how much of a sound has been heard (showHeldPixels below).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "DesktopBackend.h"

namespace zorva::platform {

class PixelHoldingDesktop final : public DesktopBackend {
 public:
  static constexpr uint64_t kGatherMs = 8;

  explicit PixelHoldingDesktop(std::shared_ptr<DesktopBackend> desktop);

  // Shows at once whatever present() holds back.
  void showHeldPixels();

  ScreenRect workArea() override { return desktop_->workArea(); }
  void pointerPosition(int& x, int& y) override { desktop_->pointerPosition(x, y); }
  bool createWindow(const std::string& title, const ScreenRect& outer) override;
  void setTitle(const std::string& title) override { desktop_->setTitle(title); }
  void showWindow(bool visible) override { desktop_->showWindow(visible); }
  ScreenRect contentRect() override { return desktop_->contentRect(); }
  void present(const uint32_t* pixels, int width, int height, int stride, const ScreenRect& changed) override;
  void destroyWindow() override;
  bool pollEvent(InputEvent& event) override;
  void waitForEvent(int timeout_ms) override;
  MessageBoxAnswer messageBox(const std::string& text, const std::string& caption, unsigned flags,
                              bool has_owner) override;
  uint64_t nowMs() override;
  void sleepMs(int ms) override;

 private:
  std::shared_ptr<DesktopBackend> desktop_;
  std::vector<uint32_t> held_;  // the content as last presented, `width_` pixels a row
  int width_ = 0;
  int height_ = 0;
  ScreenRect pending_{};  // what of it the desktop has not shown yet; empty: nothing
  uint64_t last_shown_ms_ = 0;
};

// Shows what the platform's desktop holds back. Called by the waveform calls each time before
// they ask how much of a sound has been heard.
void showHeldPixels();

}  // namespace zorva::platform
