// The program's choice: the SDL desktop, or the headless backend when the environment variable
// ZORVA_BACKEND is "headless".
#include <cstdlib>
#include <cstring>

#include "platform/backend/BackendFactory.h"

namespace zorva::platform {

std::unique_ptr<Backend> makeDefaultBackend() {
  const char* choice = std::getenv("ZORVA_BACKEND");
  if (choice != nullptr && std::strcmp(choice, "headless") == 0) return makeHeadlessBackend();
  return makeSdlBackend();
}

}  // namespace zorva::platform
