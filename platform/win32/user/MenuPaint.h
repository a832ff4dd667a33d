// Drawing the menu bar and an open popup on a screen surface, in the classic desktop colours.
#pragma once

#include "../Surface.h"
#include "MenuLayout.h"

namespace zorva::platform {

HFONT menuFont();

// The bar across the surface's whole width; the title `open` (or none, -1) drawn pressed.
void drawMenuBar(Surface& surface, HWND frame, const MenuObject& bar, const BarLayout& layout,
                 int open);
// The popup box with its 3D border; item `hot` (or none, -1) highlighted.
void drawPopup(Surface& surface, HWND frame, const MenuObject& popup, const PopupLayout& layout,
               int hot);

}  // namespace zorva::platform
