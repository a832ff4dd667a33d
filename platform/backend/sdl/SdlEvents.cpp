#include "platform/backend/sdl/SdlEvents.h"

#include "platform/backend/sdl/SdlKeys.h"

namespace zorva::platform {
namespace {

bool buttonFor(Uint8 sdl_button, MouseButton& out) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT: out = MouseButton::Left; return true;
    case SDL_BUTTON_RIGHT: out = MouseButton::Right; return true;
    case SDL_BUTTON_MIDDLE: out = MouseButton::Middle; return true;
    default: return false;  // side buttons mean nothing to a Win32 program of this kind
  }
}

bool ours(Uint32 event_window, Uint32 window_id) { return window_id == 0 || event_window == window_id; }

// SDL hears only keys the desktop gave to one of its windows, and the program has one; a key SDL
// could not tie to a window (it had not yet seen the window take the keyboard focus) is still the
// program's key.
bool oursKey(Uint32 event_window, Uint32 window_id) { return event_window == 0 || ours(event_window, window_id); }

bool translateWindowEvent(const SDL_WindowEvent& in, InputEvent& out) {
  switch (in.event) {
    case SDL_WINDOWEVENT_CLOSE: out.kind = InputKind::CloseRequest; return true;
    case SDL_WINDOWEVENT_EXPOSED: out.kind = InputKind::Expose; return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // SIZE_CHANGED comes for every change, RESIZED only for some; reporting one avoids twins.
      out.kind = InputKind::Resize;
      out.width = in.data1;
      out.height = in.data2;
      return true;
    default: return false;
  }
}

}  // namespace

bool translateEvent(const SDL_Event& in, Uint32 window_id, Uint16 mod_state, InputEvent& out) {
  out = InputEvent{};
  out.time_ms = in.common.timestamp;
  switch (in.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (!ours(in.button.windowID, window_id) || in.button.which == SDL_TOUCH_MOUSEID) return false;
      if (!buttonFor(in.button.button, out.button)) return false;
      out.kind = in.type == SDL_MOUSEBUTTONDOWN ? InputKind::MouseDown : InputKind::MouseUp;
      out.x = in.button.x;
      out.y = in.button.y;
      out.modifiers = modifiersFor(mod_state);
      return true;
    case SDL_MOUSEMOTION:
      if (!ours(in.motion.windowID, window_id) || in.motion.which == SDL_TOUCH_MOUSEID) return false;
      out.kind = InputKind::MouseMove;
      out.x = in.motion.x;
      out.y = in.motion.y;
      out.modifiers = modifiersFor(mod_state);
      return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (!oursKey(in.key.windowID, window_id)) return false;
      out.virtual_key = virtualKeyFor(in.key.keysym.sym);
      if (out.virtual_key == 0) return false;
      out.kind = in.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp;
      out.modifiers = modifiersFor(in.key.keysym.mod);
      return true;
    case SDL_QUIT: out.kind = InputKind::CloseRequest; return true;
    case SDL_WINDOWEVENT:
      if (!ours(in.window.windowID, window_id)) return false;
      return translateWindowEvent(in.window, out);
    default: return false;
  }
}

}  // namespace zorva::platform
