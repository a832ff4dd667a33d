// Tests and tools run on the headless backend whatever the environment says: they do not link
// the desktop.
#include "platform/backend/BackendFactory.h"

namespace zorva::platform {

Backends makeDefaultBackends() { return makeHeadlessBackends(); }

}  // namespace zorva::platform
