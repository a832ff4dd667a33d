// Tests and tools run on the headless backend whatever the environment says: they do not link
// the desktop.
#include "platform/backend/BackendFactory.h"

namespace zorva::platform {

std::unique_ptr<Backend> makeDefaultBackend() { return makeHeadlessBackend(); }

}  // namespace zorva::platform
