// Translation of SDL key codes and modifier states into the Win32 terms the platform speaks.
#pragma once

#include <SDL.h>

namespace zorva::platform {

// The Win32 virtual-key code (VK_*) of an SDL key, or 0 when the program has no use for it.
unsigned virtualKeyFor(SDL_Keycode key);

// The Mod* bits (ModShift, ModCtrl, ModAlt) of an SDL modifier state.
unsigned modifiersFor(Uint16 sdl_mod);

}  // namespace zorva::platform
