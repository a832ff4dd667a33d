// Making backends without knowing their libraries: each backend library defines its makers, and
// every program links one chooser (platform/backend/choice/) that defines makeDefaultBackends.
// The program links the desktop chooser; tests and tools link the headless one and so never
// link SDL.
#pragma once

#include <memory>

#include "AudioBackend.h"
#include "DesktopBackend.h"

namespace zorva::platform {

// A desktop and the audio devices that go with it (they may be one object).
struct Backends {
  std::shared_ptr<DesktopBackend> desktop;
  std::shared_ptr<AudioBackend> audio;
};

// Defined by the headless backend's library: one object that is both, on one virtual clock.
Backends makeHeadlessBackends();
// Defined by the SDL backend's library: the real desktop, and the real sound devices.
std::shared_ptr<DesktopBackend> makeSdlDesktop();
std::shared_ptr<AudioBackend> makeSdlAudioDevice();

// What a program runs on when nothing was installed; asked once, at the first use of either.
Backends makeDefaultBackends();

}  // namespace zorva::platform
