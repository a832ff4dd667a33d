#include "platform/backend/sdl/SdlKeys.h"

#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {
namespace {

struct KeyPair {
  SDL_Keycode sdl;
  unsigned vk;
};

// Keys outside the letter, digit and function-key runs, each with its VK_* code.
constexpr KeyPair kNamedKeys[] = {
    {SDLK_RETURN, 0x0D},    {SDLK_KP_ENTER, 0x0D}, {SDLK_ESCAPE, 0x1B},  {SDLK_BACKSPACE, 0x08},
    {SDLK_DELETE, 0x2E},    {SDLK_INSERT, 0x2D},   {SDLK_TAB, 0x09},     {SDLK_SPACE, 0x20},
    {SDLK_LEFT, 0x25},      {SDLK_UP, 0x26},       {SDLK_RIGHT, 0x27},   {SDLK_DOWN, 0x28},
    {SDLK_HOME, 0x24},      {SDLK_END, 0x23},      {SDLK_PAGEUP, 0x21},  {SDLK_PAGEDOWN, 0x22},
    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},   {SDLK_LCTRL, 0x11},   {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},      {SDLK_RALT, 0x12},
};

}  // namespace

unsigned virtualKeyFor(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<unsigned>(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<unsigned>(key - SDLK_0);
  // SDL numbers F1..F12 consecutively, as Win32 does from VK_F1 (0x70).
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + static_cast<unsigned>(key - SDLK_F1);
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.sdl == key) return pair.vk;
  }
  return 0;
}

unsigned modifiersFor(Uint16 sdl_mod) {
  unsigned mods = 0;
  if (sdl_mod & KMOD_SHIFT) mods |= ModShift;
  if (sdl_mod & KMOD_CTRL) mods |= ModCtrl;
  if (sdl_mod & KMOD_ALT) mods |= ModAlt;
  return mods;
}

}  // namespace zorva::platform
