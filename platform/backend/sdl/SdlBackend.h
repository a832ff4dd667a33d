// The real desktop on SDL2: one window, input, message boxes, the clock and audio devices.
#pragma once

#include "platform/backend/Backend.h"

namespace zorva::platform {

class SdlBackend final : public Backend {
 public:
  SdlBackend();
  ~SdlBackend() override;

  ScreenRect workArea() override;
  void pointerPosition(int& x, int& y) override;
  bool createWindow(const std::string& title, const ScreenRect& outer) override;
  void setTitle(const std::string& title) override;
  void showWindow(bool visible) override;
  ScreenRect contentRect() override;
  void present(const uint32_t* pixels, int width, int height, int stride, const ScreenRect& changed) override;
  void destroyWindow() override;
  bool pollEvent(InputEvent& event) override;
  void waitForEvent(int timeout_ms) override;
  MessageBoxAnswer messageBox(const std::string& text, const std::string& caption, unsigned flags,
                              bool has_owner) override;
  void beep(unsigned type) override;
  uint64_t nowMs() override;
  void sleepMs(int ms) override;
  int openAudio(AudioDirection direction, const AudioFormat& format) override;
  void startAudio(int stream) override;
  void stopAudio(int stream) override;
  void closeAudio(int stream) override;
  size_t readCaptured(int stream, void* dst, size_t bytes) override;
  void queuePlayback(int stream, const void* src, size_t bytes) override;
  uint64_t playedBytes(int stream) override;
};

}  // namespace zorva::platform
