// Message boxes in the Win32 manner (MB_* flags, ID* answers), drawn by the desktop itself in
// the program's dialog style, inside its scaled window, so that their text grows with the window.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

enum class MessageBoxIcon { None, Error, Question, Warning, Information };

struct MessageBoxButton {
  MessageBoxAnswer id = 0;  // the ID* answer
  const char* label = "";
  bool enter = false;   // the default button, which Enter presses at first
  bool escape = false;  // the button Escape stands for
};

// What a MessageBoxA call asks for, worked out from its flags before anything is shown.
struct MessageBoxPlan {
  std::vector<MessageBoxButton> buttons;  // left to right
  MessageBoxIcon icon = MessageBoxIcon::None;
  MessageBoxAnswer dismissed = 0;  // the answer when the box is closed without a button
};

// Works out the buttons, icon, default (Enter) and cancel (Escape) buttons of a message box.
// Throws std::invalid_argument for flags this desktop cannot honour, rather than showing
// something other than what was asked.
MessageBoxPlan planMessageBox(unsigned flags);

// Where a box is shown: over the middle of the program's shown window (`owner`), or, when it
// has none, in a window of its own in the middle of the screen; `factor` is the window's scale.
struct MessageBoxPlace {
  SDL_Window* owner = nullptr;
  double factor = 1.0;
  std::function<void()> redraw_owner;  // puts the owner's own pixels back (after an expose)
};

// Shows the box modally and returns the button pressed. The text also goes to standard error.
// When the desktop cannot show a window to a user, the box answers as if dismissed, so nothing
// is confirmed that the user never saw. Input for the owner meanwhile is dropped, as for a
// disabled window, but for close requests, which wait until the box is answered.
MessageBoxAnswer showMessageBox(const std::string& text, const std::string& caption, unsigned flags,
                                const MessageBoxPlace& place);

}  // namespace zorva::platform
