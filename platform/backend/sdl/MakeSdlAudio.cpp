#include "platform/backend/BackendFactory.h"
#include "platform/backend/sdl/SdlAudio.h"

namespace zorva::platform {

std::shared_ptr<AudioBackend> makeSdlAudioDevice() { return std::make_shared<SdlAudio>(); }

}  // namespace zorva::platform
