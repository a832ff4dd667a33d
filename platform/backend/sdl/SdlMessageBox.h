// Message boxes in the Win32 manner (MB_* flags, ID* answers) shown with SDL's own dialogs.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

// What a MessageBoxA call asks for, worked out from its flags before anything is shown.
struct MessageBoxPlan {
  std::vector<SDL_MessageBoxButtonData> buttons;  // left to right; buttonid is the ID* answer
  Uint32 sdl_flags = 0;                           // icon and button order
  MessageBoxAnswer dismissed = 0;                 // the answer when the box is closed without a button
};

// Works out the buttons, icon, default (Enter) and cancel (Escape) buttons of a message box.
// Throws std::invalid_argument for flags this desktop cannot honour, rather than showing
// something other than what was asked.
MessageBoxPlan planMessageBox(unsigned flags);

// Shows the box modally (owned by `owner` when not null) and returns the button pressed. When
// the desktop cannot show a dialog at all, the text goes to stderr and the box answers as if
// dismissed, so nothing is confirmed that the user never saw.
MessageBoxAnswer showMessageBox(const std::string& text, const std::string& caption, unsigned flags,
                                SDL_Window* owner);

}  // namespace zorva::platform
