// The menu bar of a top-level window: the hooks the window code calls.
//
// The bar lies in the top rows of the window's content (above the client area); its height is
// what the window code leaves out of the client rectangle. The window code calls:
//   - menuBarHeight() when it computes the client area (0 when the window has no menu);
//   - paintMenuBar() whenever it redraws the frame's content outside the client area, and after
//     SetMenu/DrawMenuBar have changed it (the menu code calls it itself for those);
//   - menuTakesInput() for every raw input event of the frame before routing it to windows.
#pragma once

#include "../../backend/DesktopBackend.h"
#include "WinUser.h"

namespace zorva::platform {

// Height in pixels of the frame's menu bar: 0 when the window has no menu, else the menu font's
// line height plus padding above and below.
int menuBarHeight(HWND frame);

// Draws the bar (background, titles with their mnemonics underlined, the open title pressed)
// on the frame's screen surface and presents the rows it changed. Does nothing when the window
// has no menu.
void paintMenuBar(HWND frame);

// Offers a raw input event (mouse positions in content coordinates) to the menu. True when the
// menu consumed it: a click in the bar's rows, Alt+mnemonic, F10, or any event while a popup is
// open (clicks outside close the popup and are swallowed). False: route it as usual.
bool menuTakesInput(HWND frame, const InputEvent& event);

}  // namespace zorva::platform

namespace zorva::platform {

// True while one of the frame's popups is open.
bool menuIsOpen(HWND frame);

}  // namespace zorva::platform
