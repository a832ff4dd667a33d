#include "platform/backend/BackendFactory.h"
#include "platform/backend/sdl/SdlBackend.h"

namespace zorva::platform {

std::unique_ptr<Backend> makeSdlBackend() { return std::make_unique<SdlBackend>(); }

}  // namespace zorva::platform
