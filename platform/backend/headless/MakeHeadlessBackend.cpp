#include "platform/backend/BackendFactory.h"
#include "platform/backend/headless/HeadlessBackend.h"

namespace zorva::platform {

std::unique_ptr<Backend> makeHeadlessBackend() { return std::make_unique<HeadlessBackend>(); }

}  // namespace zorva::platform
