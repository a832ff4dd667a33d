// Starting SDL's video on a desktop that may still be waking up.
//
// An X server that has just lost its last client (a probe like xdpyinfo, or the previous
// program on a server reused from a test loop) starts over, and refuses the connections made
// while it does: SDL then reports "x11 not available" although the display answers a moment
// later. So a named display is asked again for a while before the program gives up on it.
#pragma once

#include <cstdint>

namespace zorva::platform {

// How long a named display is asked again after refusing SDL's video.
constexpr uint64_t kVideoRetryMs = 1500;
constexpr uint32_t kVideoRetryPauseMs = 50;

// Whether a failed video start is worth trying again: only when the environment names a
// display (X11's DISPLAY or Wayland's WAYLAND_DISPLAY, either may be null); with none named
// there is nothing that could come back.
bool displayNamed(const char* x11_display, const char* wayland_display);

// Whether SDL's video driver shows windows to a user. SDL falls back on drivers that show
// nothing ("offscreen", "dummy") when no desktop answers; they are taken only when asked for by
// name (SDL_VIDEODRIVER, as tests do), since a window nobody sees would run for ever.
bool driverShowsWindows(const char* driver, const char* requested);

// Starts SDL's video, events and timer, asking a named display again for kVideoRetryMs. On
// failure SDL_GetError() tells why.
bool startSdlVideo();

}  // namespace zorva::platform
