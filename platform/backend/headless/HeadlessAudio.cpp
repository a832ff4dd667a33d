// Not yet written: the virtual devices report "no device" until the audio work lands.
#include "platform/backend/headless/HeadlessAudio.h"

namespace zorva::platform {

int HeadlessAudio::open(AudioDirection, const AudioFormat&) { return -1; }
void HeadlessAudio::start(int) {}
void HeadlessAudio::stop(int) {}
void HeadlessAudio::close(int) {}
size_t HeadlessAudio::readCaptured(int, void*, size_t) { return 0; }
void HeadlessAudio::queuePlayback(int, const void*, size_t) {}
uint64_t HeadlessAudio::playedBytes(int) { return 0; }

}  // namespace zorva::platform
