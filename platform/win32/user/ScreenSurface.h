// The screen surface: the pixels of the one desktop window's content (menu bar rows at the top,
// then the frame's client area), in content coordinates. Every window of the tree, and owned
// pop-up windows that the desktop does not show on their own, paint on it at their offset;
// each drawing call that changes pixels presents the changed rectangle at once.
#pragma once

#include "../Surface.h"
#include "WinUser.h"

namespace zorva::platform {

// The surface `window` is shown on: its top-level window's, or for an owned pop-up the
// owner's. Null when the window does not exist or has no desktop window under it.
Surface* screenSurfaceOf(HWND window);

// The desktop window (the top-level window the backend shows) that `window` is drawn in; null
// when none.
HWND desktopWindowOf(HWND window);

// Converts between screen pixels and the screen surface's (content) pixels.
PixelRect screenToSurface(const RECT& screen);
RECT surfaceToScreen(const PixelRect& surface);

// Paints the window's non-client part (its border or sunken edge; for the desktop window the
// menu bar) on the screen surface.
void paintNonClient(HWND window);

}  // namespace zorva::platform

namespace zorva::platform {

// Makes the desktop window's surface, sized as the backend's content area.
void makeScreenSurface(HWND desktop);
// Marks the window and all its descendants invalid, non-client parts included, to be erased.
void invalidateWhole(HWND window);
// The backend's content area changed size: the surface follows, the window is told (WM_SIZE)
// and everything is repainted.
void desktopResized(int width, int height);
// The backend lost the window's pixels: everything is repainted.
void desktopExposed();
// The program waits (it reads the queue or opens a message box): what an open paint has
// drawn so far is shown, since a paint that opens a dialog waits inside it.
void showHeldChanges();

}  // namespace zorva::platform
