// The modal loop of a message box the desktop draws (SdlMessageBox.h): Enter presses the focused
// button (the default one at first), Escape the cancel one, Tab and the arrow keys move the
// focus, and a button clicked is pressed when the mouse is let go over it.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/backend/sdl/SdlBoxPainter.h"
#include "platform/backend/sdl/SdlMessageBox.h"
#include "platform/backend/sdl/SdlVideoStart.h"

namespace zorva::platform {
namespace {

class BoxSession {
 public:
  BoxSession(const MessageBoxPlan& plan, const std::string& caption, const MessageBoxPlace& place,
             std::unique_ptr<SdlBoxFont> font, MessageBoxLayout layout)
      : plan_(plan), caption_(caption), place_(place), font_(std::move(font)), layout_(std::move(layout)) {
    for (size_t i = 0; i < plan_.buttons.size(); ++i) {
      if (plan_.buttons[i].enter) state_.focused = static_cast<int>(i);
    }
  }
  ~BoxSession() {
    if (own_window_ != nullptr) SDL_DestroyWindow(own_window_);
    if (place_.owner != nullptr && place_.redraw_owner) place_.redraw_owner();
    for (SDL_Event& event : deferred_) SDL_PushEvent(&event);
  }
  BoxSession(const BoxSession&) = delete;
  BoxSession& operator=(const BoxSession&) = delete;

  bool open() {
    window_ = place_.owner;
    if (window_ == nullptr) {
      own_window_ = SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, layout_.width,
                                     layout_.height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP);
      window_ = own_window_;
    }
    if (window_ == nullptr) return false;
    if (own_window_ != nullptr) {
      SDL_ShowWindow(own_window_);
      SDL_RaiseWindow(own_window_);
    }
    paint();
    return true;
  }

  MessageBoxAnswer run() {
    SDL_Event event;
    while (SDL_WaitEvent(&event) == 1) {
      if (const std::optional<MessageBoxAnswer> answer = take(event)) return *answer;
    }
    return plan_.dismissed;
  }

 private:
  std::optional<MessageBoxAnswer> take(const SDL_Event& event) {
    const Uint32 id = SDL_GetWindowID(window_);
    switch (event.type) {
      case SDL_QUIT:  // a quit signal: the box gives way, and the program hears of it next
        deferred_.push_back(event);
        return plan_.dismissed;
      case SDL_WINDOWEVENT: return takeWindowEvent(event, id);
      case SDL_KEYDOWN:
      case SDL_KEYUP:  // a key SDL could not tie to a window yet is the box's too
        return event.key.windowID == id || event.key.windowID == 0 ? takeKey(event.key) : std::nullopt;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        return event.button.windowID == id && event.button.button == SDL_BUTTON_LEFT ? takeClick(event.button)
                                                                                       : std::nullopt;
      default: return std::nullopt;  // the owner is disabled meanwhile: its input is dropped
    }
  }

  std::optional<MessageBoxAnswer> takeWindowEvent(const SDL_Event& event, Uint32 id) {
    if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
      if (event.window.windowID == own_id()) return plan_.dismissed;
      deferred_.push_back(event);  // closing the owner waits until the box is answered
    } else if (event.window.windowID == id && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                               event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
      if (place_.owner != nullptr && place_.redraw_owner) place_.redraw_owner();
      paint();
    }
    return std::nullopt;
  }

  // Enter, Space and Escape answer when let go, so that the key's release never reaches what
  // comes after the box; they count only when pressed while it is open.
  std::optional<MessageBoxAnswer> takeKey(const SDL_KeyboardEvent& event) {
    const SDL_Keysym& key = event.keysym;
    const bool answers = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER || key.sym == SDLK_SPACE ||
                         key.sym == SDLK_ESCAPE;
    if (event.type == SDL_KEYUP) {
      if (!answers || key.sym != std::exchange(armed_key_, SDLK_UNKNOWN)) return std::nullopt;
      return key.sym == SDLK_ESCAPE ? plan_.dismissed : plan_.buttons[static_cast<size_t>(state_.focused)].id;
    }
    if (answers) {
      if (event.repeat == 0) armed_key_ = key.sym;
      return std::nullopt;
    }
    const int count = static_cast<int>(plan_.buttons.size());
    switch (key.sym) {
      case SDLK_TAB: state_.focused = (state_.focused + ((key.mod & KMOD_SHIFT) ? count - 1 : 1)) % count; break;
      case SDLK_LEFT:
      case SDLK_UP: state_.focused = (state_.focused + count - 1) % count; break;
      case SDLK_RIGHT:
      case SDLK_DOWN: state_.focused = (state_.focused + 1) % count; break;
      default: return std::nullopt;
    }
    paint();
    return std::nullopt;
  }

  std::optional<MessageBoxAnswer> takeClick(const SDL_MouseButtonEvent& button) {
    const int at = buttonAt(layout_, button.x - left_, button.y - top_);
    if (button.type == SDL_MOUSEBUTTONDOWN) {
      state_.pressed = at;
      if (at >= 0) state_.focused = at;
    } else {
      const int held = std::exchange(state_.pressed, -1);
      if (held >= 0 && held == at) return plan_.buttons[static_cast<size_t>(at)].id;
    }
    paint();
    return std::nullopt;
  }

  Uint32 own_id() const { return own_window_ != nullptr ? SDL_GetWindowID(own_window_) : 0; }

  void paint() {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    // Over the middle of the owner; a box larger than it starts at its corner.
    left_ = std::max(0, (surface->w - layout_.width) / 2);
    top_ = std::max(0, (surface->h - layout_.height) / 2);
    paintMessageBox(surface, left_, top_, layout_, plan_, caption_, *font_, state_);
    const SDL_Rect shown{left_, top_, layout_.width, layout_.height};
    SDL_UpdateWindowSurfaceRects(window_, &shown, 1);
  }

  const MessageBoxPlan& plan_;
  const std::string& caption_;
  const MessageBoxPlace& place_;
  std::unique_ptr<SdlBoxFont> font_;
  MessageBoxLayout layout_;
  MessageBoxState state_;
  SDL_Window* window_ = nullptr;
  SDL_Window* own_window_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  SDL_Keycode armed_key_ = SDLK_UNKNOWN;  // an answering key pressed while the box is open
  std::vector<SDL_Event> deferred_;  // events for the program once the box is gone
};

}  // namespace

MessageBoxAnswer showMessageBox(const std::string& text, const std::string& caption, unsigned flags,
                                const MessageBoxPlace& place) {
  const MessageBoxPlan plan = planMessageBox(flags);
  // Each report also goes to standard error, where it can be copied after the box is gone.
  std::fprintf(stderr, "zorva: %s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  if (!driverShowsWindows(SDL_GetCurrentVideoDriver(), nullptr)) return plan.dismissed;
  std::unique_ptr<SdlBoxFont> font = SdlBoxFont::open(place.factor);
  if (font == nullptr) {
    std::fprintf(stderr, "zorva: the box could not be shown: %s\n", SDL_GetError());
    return plan.dismissed;
  }
  const SdlBoxFont& measured = *font;
  MessageBoxMetrics metrics{place.factor, measured.lineHeight(),
                            [&measured](const std::string& line) { return measured.width(line); }};
  BoxSession session(plan, caption, place, std::move(font),
                     layoutMessageBox(text, caption, plan.icon != MessageBoxIcon::None, plan.buttons.size(), metrics));
  if (!session.open()) {
    std::fprintf(stderr, "zorva: the box could not be shown: %s\n", SDL_GetError());
    return plan.dismissed;
  }
  return session.run();
}

}  // namespace zorva::platform
