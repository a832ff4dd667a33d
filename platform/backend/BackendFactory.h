// Making backends without knowing their libraries: each backend library defines its maker, and
// every program links one chooser (platform/backend/choice/) that defines makeDefaultBackend.
// The program links the desktop chooser; tests and tools link the headless one and so never
// link SDL.
#pragma once

#include <memory>

#include "Backend.h"

namespace zorva::platform {

// Defined by the headless backend's library.
std::unique_ptr<Backend> makeHeadlessBackend();
// Defined by the SDL backend's library: the real desktop.
std::unique_ptr<Backend> makeSdlBackend();

// The backend a program runs on when none was installed; asked once, by backend().
std::unique_ptr<Backend> makeDefaultBackend();

}  // namespace zorva::platform
