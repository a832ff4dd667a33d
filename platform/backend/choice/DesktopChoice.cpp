// The program's choice: the SDL desktop and sound devices, or the headless backend when the
// environment variable ZORVA_BACKEND is "headless".
#include <cstdlib>
#include <cstring>

#include "platform/backend/BackendFactory.h"

namespace zorva::platform {

Backends makeDefaultBackends() {
  const char* choice = std::getenv("ZORVA_BACKEND");
  if (choice != nullptr && std::strcmp(choice, "headless") == 0) return makeHeadlessBackends();
  return Backends{makeSdlDesktop(), makeSdlAudioDevice()};
}

}  // namespace zorva::platform
