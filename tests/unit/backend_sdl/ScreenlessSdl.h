// The SDL desktop's tests run on SDL's screenless drivers: with no desktop to reach, SDL's
// message boxes fail at once instead of waiting for a click.
#pragma once

#include <cstdlib>

inline void useScreenlessSdl() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
}
