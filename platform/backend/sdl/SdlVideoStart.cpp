#include "platform/backend/sdl/SdlVideoStart.h"

#include <SDL.h>

#include <cstdlib>

namespace zorva::platform {

bool displayNamed(const char* x11_display, const char* wayland_display) {
  const auto named = [](const char* value) { return value != nullptr && value[0] != '\0'; };
  return named(x11_display) || named(wayland_display);
}

bool startSdlVideo() {
  constexpr Uint32 kParts = SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER;
  if (SDL_Init(kParts) == 0) return true;
  if (!displayNamed(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"))) return false;
  const Uint64 give_up_at = SDL_GetTicks64() + kVideoRetryMs;
  while (SDL_GetTicks64() < give_up_at) {
    SDL_Delay(kVideoRetryPauseMs);
    if (SDL_Init(kParts) == 0) return true;
  }
  return false;
}

}  // namespace zorva::platform
