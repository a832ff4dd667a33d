#include "platform/backend/sdl/SdlWindowIcon.h"

namespace zorva::platform {

void setWindowIcon(SDL_Window* window) {
  // SDL copies the pixels into the window's icon property; the surface only lends them.
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(kWindowIconRgba), kWindowIconPx,
                                                         kWindowIconPx, 32, kWindowIconPx * 4, SDL_PIXELFORMAT_RGBA32);
  if (icon == nullptr) return;  // a window without an icon still works
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

}  // namespace zorva::platform
