#include "platform/backend/BackendFactory.h"
#include "platform/backend/sdl/SdlDesktop.h"

namespace zorva::platform {

std::shared_ptr<DesktopBackend> makeSdlDesktop() { return std::make_shared<SdlDesktop>(); }

}  // namespace zorva::platform
