// The real desktop on SDL2: one window, input, message boxes and the clock. Its sound devices
// are SdlAudio.
#pragma once

#include <SDL.h>

#include <optional>
#include <vector>

#include "platform/backend/DesktopBackend.h"
#include "platform/backend/PixelMemory.h"
#include "platform/backend/sdl/QuitSignals.h"
#include "platform/backend/sdl/SdlLibrary.h"
#include "platform/backend/sdl/SdlScale.h"
#include "platform/backend/sdl/SharpScale.h"

namespace zorva::platform {

class SdlDesktop final : public DesktopBackend {
 public:
  // At the factor given, else at the one the desktop and ZORVA_SCALE ask for.
  explicit SdlDesktop(std::optional<ScaleFactor> factor = std::nullopt);
  ~SdlDesktop() override;
  SdlDesktop(const SdlDesktop&) = delete;
  SdlDesktop& operator=(const SdlDesktop&) = delete;

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
  uint64_t nowMs() override;
  void sleepMs(int ms) override;

  // What the backend last showed, for checks on a desktop without a screen to look at.
  int shownWidth() const { return content_width_; }
  int shownHeight() const { return content_height_; }
  uint32_t shownPixel(int x, int y) const;
  ScaleFactor scale() const { return scale_.factor(); }
  SDL_Window* window() const { return window_; }

 private:
  void fitOuter();                      // makes the outer window the asked rectangle
  ScreenRect screenContentRect() const;  // the content area in screen pixels
  void blit(int x0, int y0, int x1, int y1);  // copies part of the kept content to the screen
  void blitPresented();                       // shows again all the program has presented
  bool take(const SDL_Event& sdl_event, InputEvent& event);

  // Declared first so that it ends last: SDL is shut down after the window is closed.
  std::shared_ptr<SdlLibrary> library_ = SdlLibrary::hold();
  bool video_ok_ = false;
  ScaleMapping scale_;  // chosen once, when the desktop is first reached
  SDL_Window* window_ = nullptr;
  ScreenRect asked_outer_{};  // in screen pixels
  bool refit_on_show_ = false;  // decorations are often known only once the window is mapped
  std::vector<uint32_t, PixelMemory<uint32_t>> content_;  // the full content as last presented, for expose and resize
  std::optional<SharpScale> enlarge_;  // from the content's size to its size on the screen
  std::vector<uint32_t> enlarged_;      // a part of it enlarged by the scale, on its way to the screen
  int content_width_ = 0;
  int content_height_ = 0;
  // What of the content has ever been presented since it took its size: an expose re-shows
  // only that, since the rest holds nothing the program drew (at start-up the window is
  // exposed before the view's first paint, which then needs the only whole-window copy).
  ScreenRect presented_{};
  std::optional<InputEvent> lookahead_;  // an event waitForEvent read while waiting
  std::unique_ptr<QuitSignals> quit_signals_;  // once the event queue runs
};

}  // namespace zorva::platform
