// Chooses the backend once, at first use (the program's chooser decides which), unless a test
// installed one.
#include "platform/backend/Backend.h"
#include "platform/backend/BackendFactory.h"

namespace zorva::platform {
namespace {
std::unique_ptr<Backend>& current() {
  static std::unique_ptr<Backend> instance;
  return instance;
}
}  // namespace

Backend& backend() {
  auto& instance = current();
  if (!instance) instance = makeDefaultBackend();
  return *instance;
}

void installBackend(std::unique_ptr<Backend> replacement) { current() = std::move(replacement); }

}  // namespace zorva::platform
