// A backend with only the SDL backend's audio devices and the steady clock, for measuring the
// waveform calls on real (or SDL's dummy/disk) devices without a window.
#pragma once

#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/backend/Backend.h"
#include "platform/backend/sdl/SdlAudio.h"

namespace zorva::bench {

class SdlAudioOnlyBackend final : public platform::Backend {
 public:
  SdlAudioOnlyBackend() = default;
  ~SdlAudioOnlyBackend() override = default;
  platform::ScreenRect workArea() override { return {}; }
  void pointerPosition(int& x, int& y) override { x = y = 0; }
  bool createWindow(const std::string&, const platform::ScreenRect&) override { return false; }
  void setTitle(const std::string&) override {}
  void showWindow(bool) override {}
  platform::ScreenRect contentRect() override { return {}; }
  void present(const uint32_t*, int, int, int, const platform::ScreenRect&) override {}
  void destroyWindow() override {}
  bool pollEvent(platform::InputEvent&) override { return false; }
  void waitForEvent(int ms) override { sleepMs(ms < 0 ? 0 : ms); }
  platform::MessageBoxAnswer messageBox(const std::string&, const std::string&, unsigned, bool) override {
    throw std::logic_error("no message boxes in the audio benchmark");
  }
  void beep(unsigned) override {}
  uint64_t nowMs() override {
    const auto since_start = std::chrono::steady_clock::now() - start_;
    return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
  }
  void sleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  int openAudio(platform::AudioDirection d, const platform::AudioFormat& f) override { return audio_.open(d, f); }
  void startAudio(int s) override { audio_.start(s); }
  void stopAudio(int s) override { audio_.stop(s); }
  void closeAudio(int s) override { audio_.close(s); }
  size_t readCaptured(int s, void* dst, size_t n) override { return audio_.readCaptured(s, dst, n); }
  void queuePlayback(int s, const void* src, size_t n) override { audio_.queuePlayback(s, src, n); }
  uint64_t playedBytes(int s) override { return audio_.playedBytes(s); }

 private:
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  platform::SdlAudio audio_;
};

}  // namespace zorva::bench
