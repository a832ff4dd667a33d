// Translation of one SDL event into the platform's raw input event.
#pragma once

#include <SDL.h>

#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

// Fills `out` from `in` and returns true when the event means something to the platform; returns
// false (leaving `out` unspecified) for events it has no use for, and for window events of any
// window other than `window_id` (0: accept every window). Key events that name no window are
// accepted: SDL had no keyboard focus to stamp on them, yet the desktop sent them to us.
// `mod_state` is the keyboard modifier state to stamp on mouse events, which SDL does not carry.
bool translateEvent(const SDL_Event& in, Uint32 window_id, Uint16 mod_state, InputEvent& out);

}  // namespace zorva::platform
