// Not yet written: every call fails loudly until the SDL2 desktop lands.
#include "platform/backend/sdl/SdlBackend.h"

#include <stdexcept>

namespace zorva::platform {
namespace {
[[noreturn]] void notYet() { throw std::logic_error("the SDL2 backend is not built yet"); }
}  // namespace

SdlBackend::SdlBackend() { notYet(); }
SdlBackend::~SdlBackend() = default;
ScreenRect SdlBackend::workArea() { notYet(); }
void SdlBackend::pointerPosition(int&, int&) { notYet(); }
bool SdlBackend::createWindow(const std::string&, const ScreenRect&) { notYet(); }
void SdlBackend::setTitle(const std::string&) { notYet(); }
void SdlBackend::showWindow(bool) { notYet(); }
ScreenRect SdlBackend::contentRect() { notYet(); }
void SdlBackend::present(const uint32_t*, int, int, int, const ScreenRect&) { notYet(); }
void SdlBackend::destroyWindow() { notYet(); }
bool SdlBackend::pollEvent(InputEvent&) { notYet(); }
void SdlBackend::waitForEvent(int) { notYet(); }
MessageBoxAnswer SdlBackend::messageBox(const std::string&, const std::string&, unsigned, bool) { notYet(); }
void SdlBackend::beep(unsigned) { notYet(); }
uint64_t SdlBackend::nowMs() { notYet(); }
void SdlBackend::sleepMs(int) { notYet(); }
int SdlBackend::openAudio(AudioDirection, const AudioFormat&) { notYet(); }
void SdlBackend::startAudio(int) { notYet(); }
void SdlBackend::stopAudio(int) { notYet(); }
void SdlBackend::closeAudio(int) { notYet(); }
size_t SdlBackend::readCaptured(int, void*, size_t) { notYet(); }
void SdlBackend::queuePlayback(int, const void*, size_t) { notYet(); }
uint64_t SdlBackend::playedBytes(int) { notYet(); }

}  // namespace zorva::platform
