#include "platform/backend/BackendFactory.h"
#include "platform/backend/headless/HeadlessBackend.h"

namespace zorva::platform {

Backends makeHeadlessBackends() {
  auto both = std::make_shared<HeadlessBackend>();
  return Backends{both, both};
}

}  // namespace zorva::platform
