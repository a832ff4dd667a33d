// The desktop half of the backend seam: what only a real desktop (or its headless stand-in) can
// give the platform: one top-level window to present pixels in, raw input, the pointer, the
// work area, a modal message box and the clock. Sound is the other half (AudioBackend.h).
//
// Threads: every method is called on the GUI thread only, by the Win32 layer (platform/win32).
//
// Ownership: the platform core owns the pixels of the one top-level window's content area and
// lends them to present(); the backend copies what it needs before returning.
//
// Coordinates: screen pixels, origin at the screen's top-left. "Content" is the part of the
// top-level window the platform draws in (menu bar and client area): the outer window less the
// desktop's decorations.
//
// Every call has done its work when it returns. (The platform reaches its desktop through
// PixelHoldingDesktop.h, which gathers presented pixels for a few milliseconds.)
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "PixelRect.h"

namespace zorva::platform {

// Rectangles handed across the seam are in screen pixels.
using ScreenRect = PixelRect;

enum class InputKind { MouseDown, MouseUp, MouseMove, KeyDown, KeyUp, CloseRequest, Expose, Resize };
enum class MouseButton { Left, Right, Middle };

// Modifier bits carried by key and mouse events.
enum : unsigned { ModShift = 1, ModCtrl = 2, ModAlt = 4 };

struct InputEvent {
  InputKind kind = InputKind::MouseMove;
  int x = 0;                          // mouse events: position in content coordinates
  int y = 0;
  MouseButton button = MouseButton::Left;
  unsigned virtual_key = 0;           // key events: the Win32 virtual-key code (VK_*)
  unsigned modifiers = 0;             // Mod* bits held at the time of the event
  int width = 0;                      // Resize: the new content size
  int height = 0;
  uint64_t time_ms = 0;               // the backend clock when the event happened
};

// The answer a message box gave, as the Win32 button id (IDOK = 1, IDCANCEL = 2, ...).
using MessageBoxAnswer = int;

class DesktopBackend {
 public:
  virtual ~DesktopBackend() = default;

  // --- The desktop -------------------------------------------------------------------------
  // The desktop's work area (screen less task bars). Asked by SystemParametersInfoA
  // (SPI_GETWORKAREA) and when a top-level window is placed with CW_USEDEFAULT.
  virtual ScreenRect workArea() = 0;
  // The pointer position in screen coordinates at this moment. Asked by GetCursorPos, at any
  // time, also between input events.
  virtual void pointerPosition(int& x, int& y) = 0;

  // --- The one top-level window -----------------------------------------------------------
  // Creates the window hidden, with the given outer rectangle. Called once, by CreateWindowExA
  // for the program's top-level window. Returns false when the desktop gives no window.
  virtual bool createWindow(const std::string& title, const ScreenRect& outer) = 0;
  // Called by SetWindowTextA on the top-level window.
  virtual void setTitle(const std::string& title) = 0;
  // Called by ShowWindow on the top-level window (and by CreateWindowExA with WS_VISIBLE).
  virtual void showWindow(bool visible) = 0;
  // Where the content area lies now, in screen coordinates (it moves with the window). Asked
  // when the screen surface is made or resized and whenever screen and client coordinates are
  // converted (input, GetWindowRect, ClientToScreen, the menu's popups).
  virtual ScreenRect contentRect() = 0;
  // Copies the changed rectangle [x0,x1)x[y0,y1) of the content pixels (32-bit, 0x00BBGGRR as
  // COLORREF, `stride` pixels per row) to the screen. Called after every drawing call outside
  // a paint, and once for a whole paint when it ends.
  // `changed` is in content coordinates.
  virtual void present(const uint32_t* pixels, int width, int height, int stride,
                       const ScreenRect& changed) = 0;
  // Called once, by DestroyWindow of the top-level window; no present() follows.
  virtual void destroyWindow() = 0;

  // --- Input ------------------------------------------------------------------------------
  // Takes the next raw input event if one is waiting; never blocks. Called only when the
  // platform reads its message queue (PeekMessageA, GetMessageA), so input made during a long
  // call waits here.
  virtual bool pollEvent(InputEvent& event) = 0;
  // Blocks until an event is waiting or timeout_ms has passed (negative: no limit). Called by
  // GetMessageA and WaitMessage when the queue is empty.
  virtual void waitForEvent(int timeout_ms) = 0;

  // --- Dialogs ----------------------------------------------------------------------------
  // A modal message box; returns the button pressed. Called by MessageBoxA: `flags` are its MB_*
  // bits; `has_owner` tells whether a window of the program owns it.
  virtual MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                                      unsigned flags, bool has_owner) = 0;

  // --- Time -------------------------------------------------------------------------------
  // Milliseconds on the desktop's clock (virtual on the headless backend). Asked by
  // GetTickCount, for message times and by every wait for a sound.
  virtual uint64_t nowMs() = 0;
  // Lets time pass: the caller has nothing to do for about `ms` milliseconds. Called by Sleep
  // and by the polling loops of the waveform calls (1 ms a turn).
  virtual void sleepMs(int ms) = 0;
};

// The desktop the platform runs on, inside a PixelHoldingDesktop. Made once, at first use, by
// the program's chooser (BackendFactory.h) together with the audio devices, unless a test or
// benchmark installed one. A desktop and the audio devices may be one object, installed in both
// places.
DesktopBackend& desktopBackend();
void installDesktopBackend(std::shared_ptr<DesktopBackend> replacement);

}  // namespace zorva::platform
