// The real desktop on SDL2: one window, input, message boxes, the clock and audio devices.
#pragma once

#include <SDL.h>

#include <optional>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/backend/PixelMemory.h"
#include "platform/backend/sdl/QuitSignals.h"
#include "platform/backend/sdl/SdlAudio.h"
#include "platform/backend/sdl/SdlScale.h"

namespace zorva::platform {

class SdlBackend final : public Backend {
 public:
  SdlBackend();
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

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

  // What the backend last showed, for checks on a desktop without a screen to look at.
  int shownWidth() const { return content_width_; }
  int shownHeight() const { return content_height_; }
  uint32_t shownPixel(int x, int y) const;
  int scale() const { return scale_.factor(); }
  SDL_Window* window() const { return window_; }

 private:
  void fitOuter();                      // makes the outer window the asked rectangle
  ScreenRect screenContentRect() const;  // the content area in screen pixels
  void blit(int x0, int y0, int x1, int y1);  // copies part of the kept content to the screen
  void blitPresented();                       // shows again all the program has presented
  // Shows what present() kept since the last showing. Drawing calls come one pixel or one line
  // at a time; showing each alone costs the X server a round trip, so changes are gathered for
  // a few milliseconds and shown at the latest when the program next reads the clock, sleeps,
  // asks a sound's position or reads input.
  void showPending();
  bool take(const SDL_Event& sdl_event, InputEvent& event);
  // SDL's sound part starts at the first sound or beep, not with the window: it takes time the
  // title screen need not wait for. False (said once) when there are no sound devices.
  bool audioReady();

  // Declared first so that it ends last: SDL_Quit runs after every device and window is closed.
  // Not when a sound device is stuck closing: SDL_Quit would wait on it for ever.
  struct SdlQuitAtEnd {
    bool audio_stuck = false;
    ~SdlQuitAtEnd() {
      if (!audio_stuck) SDL_Quit();
    }
  } quit_at_end_;
  bool video_ok_ = false;
  bool audio_tried_ = false;
  bool audio_ok_ = false;
  ScaleMapping scale_;  // chosen once, when the desktop is first reached
  SDL_Window* window_ = nullptr;
  ScreenRect asked_outer_{};  // in screen pixels
  bool refit_on_show_ = false;  // decorations are often known only once the window is mapped
  std::vector<uint32_t, PixelMemory<uint32_t>> content_;  // the full content as last presented, for expose and resize
  std::vector<uint32_t> enlarged_;  // a part of it enlarged by the scale, on its way to the screen
  int content_width_ = 0;
  int content_height_ = 0;
  // What of the content has ever been presented since it took its size: an expose re-shows
  // only that, since the rest holds nothing the program drew (at start-up the window is
  // exposed before the view's first paint, which then needs the only whole-window copy).
  ScreenRect presented_{};
  std::optional<InputEvent> lookahead_;  // an event waitForEvent read while waiting
  bool has_pending_ = false;             // kept content not yet shown, within pending_
  ScreenRect pending_{};
  uint64_t last_shown_ms_ = 0;
  SdlAudio audio_;
  std::unique_ptr<QuitSignals> quit_signals_;  // once the event queue runs
  SDL_AudioDeviceID beep_device_ = 0;
  bool beep_unavailable_ = false;
};

}  // namespace zorva::platform
