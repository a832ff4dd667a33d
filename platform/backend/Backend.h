// The backend seam: what only a real desktop (or its headless stand-in) can give the platform.
//
// Threads: every method is called on the GUI thread only. A backend may run its library's audio
// thread internally, but hands data across inside itself; nothing above this interface is ever
// called from another thread.
//
// Ownership: the platform core owns the pixels of the one top-level window's content area and
// lends them to present(); the backend copies what it needs before returning. Audio streams are
// owned by the backend and named by small integer ids until closeAudio().
//
// Coordinates: screen pixels, origin at the screen's top-left. "Content" is the part of the
// top-level window the platform draws in (menu bar and client area): the outer window less the
// desktop's decorations.
#pragma once

#include <cstddef>
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

enum class AudioDirection { Capture, Playback };

struct AudioFormat {
  int rate_hz = 22050;
  int channels = 1;
  int bits = 16;
  int bytesPerSecond() const { return rate_hz * channels * bits / 8; }
};

class Backend {
 public:
  virtual ~Backend() = default;

  // --- The desktop -------------------------------------------------------------------------
  // The desktop's work area (screen less task bars), asked by SystemParametersInfo.
  virtual ScreenRect workArea() = 0;
  // The pointer position in screen coordinates at this moment (GetCursorPos).
  virtual void pointerPosition(int& x, int& y) = 0;

  // --- The one top-level window -----------------------------------------------------------
  // Creates the window hidden, with the given outer rectangle; called once, when the frame is
  // created. Returns false when the desktop gives no window.
  virtual bool createWindow(const std::string& title, const ScreenRect& outer) = 0;
  virtual void setTitle(const std::string& title) = 0;
  virtual void showWindow(bool visible) = 0;
  // Where the content area lies now, in screen coordinates (it moves with the window).
  virtual ScreenRect contentRect() = 0;
  // Copies the changed rectangle [x0,x1)x[y0,y1) of the content pixels (32-bit, 0x00BBGGRR as
  // COLORREF, `stride` pixels per row) to the screen. Called after every drawing call outside
  // a paint, and once for a whole paint when it ends.
  virtual void present(const uint32_t* pixels, int width, int height, int stride,
                       const ScreenRect& changed) = 0;
  virtual void destroyWindow() = 0;

  // --- Input ------------------------------------------------------------------------------
  // Takes the next raw input event if one is waiting; never blocks. Called only when the
  // platform reads its message queue, so input made during a long call waits here.
  virtual bool pollEvent(InputEvent& event) = 0;
  // Blocks until an event is waiting or timeout_ms has passed (negative: no limit).
  virtual void waitForEvent(int timeout_ms) = 0;

  // --- Dialogs and sound cues -----------------------------------------------------------
  // A modal message box; returns the button pressed. `flags` are the MB_* bits of MessageBoxA;
  // `has_owner` tells whether a window of the program owns it.
  virtual MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                                      unsigned flags, bool has_owner) = 0;
  virtual void beep(unsigned type) = 0;

  // --- Time -------------------------------------------------------------------------------
  virtual uint64_t nowMs() = 0;
  // Lets time pass: the caller has nothing to do for about `ms` milliseconds.
  virtual void sleepMs(int ms) = 0;

  // --- Audio streams --------------------------------------------------------------------
  // Opens the default capture or playback device in `format`; returns a stream id, or -1 when
  // there is no device or it refuses to open. Streams start stopped.
  virtual int openAudio(AudioDirection direction, const AudioFormat& format) = 0;
  virtual void startAudio(int stream) = 0;
  virtual void stopAudio(int stream) = 0;   // pauses; queued or captured bytes are kept
  // Drops whatever is queued or captured; returns within a moment even when the device is stuck.
  virtual void closeAudio(int stream) = 0;
  // Capture: moves up to `bytes` captured bytes into dst; returns how many were moved.
  virtual size_t readCaptured(int stream, void* dst, size_t bytes) = 0;
  // Playback: queues bytes to be played after those already queued.
  virtual void queuePlayback(int stream, const void* src, size_t bytes) = 0;
  // Playback: how many of the queued bytes have been heard so far (not merely handed on).
  virtual uint64_t playedBytes(int stream) = 0;
};

// The backend the platform runs on. Chosen once, at first use: headless when the environment
// variable ZORVA_BACKEND is "headless", the SDL2 desktop otherwise; tests may install their own.
Backend& backend();
void installBackend(std::unique_ptr<Backend> replacement);

}  // namespace zorva::platform
