// SDL as a whole, shared by the SDL desktop and the SDL sound devices: whichever of them ends
// last shuts SDL down, after every window and device is closed, so the two may be made, replaced
// and ended in any order.
#pragma once

#include <memory>

namespace zorva::platform {

class SdlLibrary {
 public:
  // The one held by every SDL part alive; a new one once all have ended.
  static std::shared_ptr<SdlLibrary> hold();
  ~SdlLibrary();

  // A sound device is stuck closing: SDL_Quit would wait on it for ever, so SDL is left as is.
  void leaveRunning() { leave_running_ = true; }

 private:
  bool leave_running_ = false;
};

}  // namespace zorva::platform
