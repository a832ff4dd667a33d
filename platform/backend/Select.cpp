// Chooses the backend once, at first use: tests set ZORVA_BACKEND=headless (or install one).
#include <cstdlib>
#include <cstring>

#include "platform/backend/Backend.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/backend/sdl/SdlBackend.h"

namespace zorva::platform {
namespace {
std::unique_ptr<Backend>& current() {
  static std::unique_ptr<Backend> instance;
  return instance;
}
}  // namespace

Backend& backend() {
  auto& instance = current();
  if (!instance) {
    const char* choice = std::getenv("ZORVA_BACKEND");
    if (choice != nullptr && std::strcmp(choice, "headless") == 0) {
      instance = std::make_unique<HeadlessBackend>();
    } else {
      instance = std::make_unique<SdlBackend>();
    }
  }
  return *instance;
}

void installBackend(std::unique_ptr<Backend> replacement) { current() = std::move(replacement); }

}  // namespace zorva::platform
