#include "platform/backend/sdl/SdlDesktop.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/backend/sdl/SdlEvents.h"
#include "platform/backend/sdl/SdlMessageBox.h"
#include "platform/backend/sdl/SdlVideoStart.h"
#include "platform/backend/sdl/SdlWindowIcon.h"
#include "platform/backend/sdl/X11Errors.h"

namespace zorva::platform {
namespace {

// The desktop's window surface is nearly always 32-bit xRGB, where COLORREF pixels need only
// red and blue swapped; SDL's general converter takes several times as long for a whole
// window. False for any other format.
bool copyToXrgb(const uint32_t* src, int src_stride, int width, int height, Uint32 format,
                uint8_t* dst, int dst_pitch) {
  if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_ARGB8888) return false;
  for (int y = 0; y < height; ++y) {
    const uint32_t* from = src + static_cast<size_t>(y) * static_cast<size_t>(src_stride);
    auto* to = reinterpret_cast<uint32_t*>(dst + static_cast<size_t>(y) * static_cast<size_t>(dst_pitch));
    for (int x = 0; x < width; ++x) {
      const uint32_t p = from[x];
      to[x] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
    }
  }
  return true;
}

// A quit signal reaches the program as the desktop's quit event, read as a close request.
void pushQuit() {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

}  // namespace

SdlDesktop::SdlDesktop(std::optional<ScaleFactor> factor) {
  // Closing the window is reported as the window's own close request, not a second quit event.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The first click on a window without focus is a click, as on Win32.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Every pixel is drawn by our own code, so the desktop's plain framebuffer shows them; a GL
  // texture framebuffer would also replace the desktop window when it is first shown, which
  // leaves anything that found the window holding a closed one.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // SDL's handlers would turn SIGTERM and SIGINT into a quit event that nobody reads while a
  // message box or a sound holds the program; ours also end it then.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Before SDL's video starts, so that SDL keeps this handler as the one it hands on to and
  // puts back when it shuts down.
  reportX11ErrorsAndGoOn();
  video_ok_ = startSdlVideo();
  if (!video_ok_) std::fprintf(stderr, "zorva: no desktop to show a window on: %s\n", SDL_GetError());
  if (video_ok_) SDL_StopTextInput();  // key events are all the platform reads
  if (video_ok_) scale_ = ScaleMapping(factor ? *factor : desktopScale(workArea()));
  quit_signals_ = std::make_unique<QuitSignals>(&pushQuit);
}

SdlDesktop::~SdlDesktop() {
  quit_signals_.reset();
  destroyWindow();
}

ScreenRect SdlDesktop::workArea() {
  SDL_Rect r{};
  if (video_ok_ && (SDL_GetDisplayUsableBounds(0, &r) == 0 || SDL_GetDisplayBounds(0, &r) == 0)) {
    return scale_.toProgram(ScreenRect{r.x, r.y, r.x + r.w, r.y + r.h});
  }
  return ScreenRect{0, 0, 640, 480};  // no display: the smallest desktop a program can expect
}

void SdlDesktop::pointerPosition(int& x, int& y) {
  x = 0;
  y = 0;
  if (!video_ok_) return;
  SDL_GetGlobalMouseState(&x, &y);
  // Measured from the content's corner, so the point agrees with the positions input events give.
  const ScreenRect content = screenContentRect();
  x = scale_.toProgram(content.left) + scale_.toProgram(x - content.left);
  y = scale_.toProgram(content.top) + scale_.toProgram(y - content.top);
}

bool SdlDesktop::createWindow(const std::string& title, const ScreenRect& outer) {
  if (!video_ok_ || window_ != nullptr) return false;
  const ScreenRect screen_outer = scale_.toScreen(outer);
  const int w = std::max(1, screen_outer.width());
  const int h = std::max(1, screen_outer.height());
  window_ = SDL_CreateWindow(title.c_str(), screen_outer.left, screen_outer.top, w, h, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    std::fprintf(stderr, "zorva: the desktop gave no window: %s\n", SDL_GetError());
    return false;
  }
  setWindowIcon(window_);
  asked_outer_ = screen_outer;
  refit_on_show_ = true;
  fitOuter();
  return true;
}

void SdlDesktop::fitOuter() {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
    top = left = bottom = right = 0;  // the desktop does not say: no decorations to subtract
  }
  // SDL places and sizes the content; the decorations sit around it.
  const int w = std::max(1, asked_outer_.width() - left - right);
  const int h = std::max(1, asked_outer_.height() - top - bottom);
  SDL_SetWindowSize(window_, w, h);
  SDL_SetWindowPosition(window_, asked_outer_.left + left, asked_outer_.top + top);
}

void SdlDesktop::setTitle(const std::string& title) {
  if (window_ != nullptr) SDL_SetWindowTitle(window_, title.c_str());
}

void SdlDesktop::showWindow(bool visible) {
  if (window_ == nullptr) return;
  if (!visible) {
    SDL_HideWindow(window_);
    return;
  }
  SDL_ShowWindow(window_);
  if (refit_on_show_) {
    refit_on_show_ = false;
    SDL_PumpEvents();
    fitOuter();
  }
  blitPresented();
}

ScreenRect SdlDesktop::screenContentRect() const {
  if (window_ == nullptr) return ScreenRect{};
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &w, &h);
  return ScreenRect{x, y, x + w, y + h};
}

ScreenRect SdlDesktop::contentRect() {
  const ScreenRect screen = screenContentRect();
  const int left = scale_.toProgram(screen.left), top = scale_.toProgram(screen.top);
  return ScreenRect{left, top, left + scale_.toProgram(screen.width()), top + scale_.toProgram(screen.height())};
}

void SdlDesktop::present(const uint32_t* pixels, int width, int height, int stride, const ScreenRect& changed) {
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) return;
  if (width != content_width_ || height != content_height_) {
    content_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    content_width_ = width;
    enlarge_.reset();
    content_height_ = height;
    presented_ = ScreenRect{};
  }
  const int x0 = std::clamp(changed.left, 0, width), x1 = std::clamp(changed.right, 0, width);
  const int y0 = std::clamp(changed.top, 0, height), y1 = std::clamp(changed.bottom, 0, height);
  if (x0 >= x1 || y0 >= y1) return;
  const ScreenRect shown{x0, y0, x1, y1};
  presented_ = unite(presented_, shown);
  for (int y = y0; y < y1; ++y) {
    const uint32_t* src = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride) + x0;
    std::memcpy(&content_[static_cast<size_t>(y) * width + x0], src, static_cast<size_t>(x1 - x0) * 4);
  }
  blit(x0, y0, x1, y1);
}

uint32_t SdlDesktop::shownPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= content_width_ || y >= content_height_) return 0;
  return content_[static_cast<size_t>(y) * content_width_ + x];
}

void SdlDesktop::blitPresented() {
  if (!presented_.empty()) blit(presented_.left, presented_.top, presented_.right, presented_.bottom);
}

void SdlDesktop::blit(int x0, int y0, int x1, int y1) {
  if (window_ == nullptr || content_.empty()) return;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr) return;
  ScreenRect screen{std::max(x0, 0), std::max(y0, 0), std::min(x1, content_width_), std::min(y1, content_height_)};
  if (screen.empty()) return;
  const uint32_t* src = &content_[static_cast<size_t>(screen.top) * content_width_ + screen.left];
  int src_stride = content_width_;
  if (!(scale_.factor() == ScaleFactor{})) {
    const int screen_w = scale_.toScreen(content_width_), screen_h = scale_.toScreen(content_height_);
    if (!enlarge_ || enlarge_->screenWidth() != screen_w || enlarge_->screenHeight() != screen_h)
      enlarge_.emplace(content_width_, content_height_, screen_w, screen_h, scale_.factor().whole());
    screen = enlarge_->affected(screen);
  }
  screen.right = std::min(screen.right, surface->w);
  screen.bottom = std::min(screen.bottom, surface->h);
  if (screen.empty()) return;
  if (enlarge_) {
    enlarge_->draw(content_.data(), content_width_, screen, enlarged_);
    src = enlarged_.data();
    src_stride = screen.width();
  }
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  const int bpp = surface->format->BytesPerPixel;
  auto* dst = static_cast<uint8_t*>(surface->pixels) + screen.top * surface->pitch + screen.left * bpp;
  // COLORREF is 0x00BBGGRR: red in the lowest byte, which SDL calls XBGR8888.
  if (!copyToXrgb(src, src_stride, screen.width(), screen.height(), surface->format->format, dst, surface->pitch))
    SDL_ConvertPixels(screen.width(), screen.height(), SDL_PIXELFORMAT_XBGR8888, src, src_stride * 4,
                      surface->format->format, dst, surface->pitch);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  const SDL_Rect rect{screen.left, screen.top, screen.width(), screen.height()};
  SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
}

void SdlDesktop::destroyWindow() {
  if (window_ == nullptr) return;
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  lookahead_.reset();
}

bool SdlDesktop::take(const SDL_Event& sdl_event, InputEvent& event) {
  const Uint32 id = window_ != nullptr ? SDL_GetWindowID(window_) : 0;
  if (!translateEvent(sdl_event, id, static_cast<Uint16>(SDL_GetModState()), event)) return false;
  scale_.toProgram(event);
  // The backend re-shows its own copy at once, so an expose costs the program nothing; after a
  // resize the program hears of it and paints the new size.
  if (event.kind == InputKind::Expose || event.kind == InputKind::Resize) blitPresented();
  return true;
}

bool SdlDesktop::pollEvent(InputEvent& event) {
  if (lookahead_) {
    event = *lookahead_;
    lookahead_.reset();
    return true;
  }
  if (!video_ok_) return false;
  // SDL's queue is read directly: SDL_PollEvent stops at the end-of-poll marker SDL_WaitEvent
  // leaves behind and reports an empty queue while events wait after it. The desktop is asked
  // for new input only once what SDL already holds is used up, so the order is kept.
  bool pumped = false;
  SDL_Event sdl_event;
  for (;;) {
    const int got = SDL_PeepEvents(&sdl_event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    if (got == 1) {
      if (take(sdl_event, event)) return true;
      continue;  // events that mean nothing are skipped, never taken for an empty queue
    }
    if (got < 0 || pumped) return false;
    SDL_PumpEvents();
    pumped = true;
  }
}

void SdlDesktop::waitForEvent(int timeout_ms) {
  if (lookahead_) return;
  if (!video_ok_) {
    // Nothing can ever arrive; still let the time pass rather than spin the caller.
    SDL_Delay(static_cast<Uint32>(timeout_ms < 0 ? 100 : timeout_ms));
    return;
  }
  const uint64_t deadline = SDL_GetTicks64() + static_cast<uint64_t>(std::max(timeout_ms, 0));
  for (;;) {
    SDL_Event sdl_event;
    int got = 0;
    if (timeout_ms < 0) {
      got = SDL_WaitEvent(&sdl_event);
    } else {
      const uint64_t now = SDL_GetTicks64();
      got = SDL_WaitEventTimeout(&sdl_event, now >= deadline ? 0 : static_cast<int>(deadline - now));
    }
    InputEvent event;
    if (got == 1 && take(sdl_event, event)) {
      lookahead_ = event;
      return;
    }
    if (got != 1 && timeout_ms < 0) return;  // SDL failed; the caller will come back
    if (timeout_ms >= 0 && SDL_GetTicks64() >= deadline) return;
  }
}

MessageBoxAnswer SdlDesktop::messageBox(const std::string& text, const std::string& caption, unsigned flags,
                                        bool has_owner) {
  // A box is drawn inside its owner only where the learner can see the owner.
  const bool owner_seen = has_owner && window_ != nullptr &&
                          (SDL_GetWindowFlags(window_) & (SDL_WINDOW_SHOWN | SDL_WINDOW_MINIMIZED)) == SDL_WINDOW_SHOWN;
  const MessageBoxPlace place{owner_seen ? window_ : nullptr, scale_.factor().value(), [this] { blitPresented(); }};
  return showMessageBox(text, caption, flags, place);
}

uint64_t SdlDesktop::nowMs() {
  return SDL_GetTicks64();
}

void SdlDesktop::sleepMs(int ms) {
  SDL_Delay(static_cast<Uint32>(std::max(ms, 0)));
}

}  // namespace zorva::platform
