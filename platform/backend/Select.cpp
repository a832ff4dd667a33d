// Chooses the backends once, at first use (the program's chooser decides which), unless a test
// or benchmark installed them. The chooser's pair fills whichever place is still empty.
#include "platform/backend/BackendFactory.h"
#include "platform/backend/PixelHoldingDesktop.h"

namespace zorva::platform {
namespace {
Backends& current() {
  static Backends installed;
  return installed;
}

Backends& choose() {
  Backends& now = current();
  Backends made = makeDefaultBackends();
  if (!now.desktop) now.desktop = std::make_shared<PixelHoldingDesktop>(std::move(made.desktop));
  if (!now.audio) now.audio = std::move(made.audio);
  return now;
}
}  // namespace

DesktopBackend& desktopBackend() {
  Backends& now = current();
  return now.desktop ? *now.desktop : *choose().desktop;
}

AudioBackend& audioBackend() {
  Backends& now = current();
  return now.audio ? *now.audio : *choose().audio;
}

void installDesktopBackend(std::shared_ptr<DesktopBackend> replacement) {
  current().desktop = replacement ? std::make_shared<PixelHoldingDesktop>(std::move(replacement)) : nullptr;
}

void installAudioBackend(std::shared_ptr<AudioBackend> replacement) {
  current().audio = std::move(replacement);
}

}  // namespace zorva::platform
