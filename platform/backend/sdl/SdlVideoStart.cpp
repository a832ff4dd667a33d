#include "platform/backend/sdl/SdlVideoStart.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace zorva::platform {

bool displayNamed(const char* x11_display, const char* wayland_display) {
  const auto named = [](const char* value) { return value != nullptr && value[0] != '\0'; };
  return named(x11_display) || named(wayland_display);
}

bool driverShowsWindows(const char* driver, const char* requested) {
  if (driver == nullptr) return false;
  const bool shows_nothing = std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
  return !shows_nothing || (requested != nullptr && SDL_strcasecmp(driver, requested) == 0);
}

namespace {

bool tryStart() {
  constexpr Uint32 kParts = SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER;
  if (SDL_Init(kParts) != 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driverShowsWindows(driver, std::getenv("SDL_VIDEODRIVER"))) return true;
  SDL_QuitSubSystem(kParts);
  SDL_SetError("no display answered (SDL offers only its \"%s\" driver, which shows nothing)", driver);
  return false;
}

}  // namespace

bool startSdlVideo() {
  if (tryStart()) return true;
  if (!displayNamed(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"))) return false;
  const Uint64 give_up_at = SDL_GetTicks64() + kVideoRetryMs;
  while (SDL_GetTicks64() < give_up_at) {
    SDL_Delay(kVideoRetryPauseMs);
    if (tryStart()) return true;
  }
  return false;
}

}  // namespace zorva::platform
