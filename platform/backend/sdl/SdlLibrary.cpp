#include "platform/backend/sdl/SdlLibrary.h"

#include <SDL.h>

namespace zorva::platform {

std::shared_ptr<SdlLibrary> SdlLibrary::hold() {
  static std::weak_ptr<SdlLibrary> alive;
  std::shared_ptr<SdlLibrary> held = alive.lock();
  if (!held) {
    held = std::make_shared<SdlLibrary>();
    alive = held;
  }
  return held;
}

SdlLibrary::~SdlLibrary() {
  if (!leave_running_) SDL_Quit();
}

}  // namespace zorva::platform
