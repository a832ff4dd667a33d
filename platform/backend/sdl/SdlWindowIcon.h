// The icon the desktop shows for the window: the application's artwork, rendered at build time.
#pragma once

#include <SDL.h>

namespace zorva::platform {

constexpr int kWindowIconPx = 64;
// kWindowIconPx squared pixels, rows top-down, bytes R, G, B, A (made from the icon's SVG).
extern const unsigned char kWindowIconRgba[kWindowIconPx * kWindowIconPx * 4];

void setWindowIcon(SDL_Window* window);

}  // namespace zorva::platform
