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
//
// Deferring: a backend may hold presented pixels back for up to 8 ms, to show several drawing
// calls at once, but shows whatever it holds before pollEvent, waitForEvent, nowMs, sleepMs,
// playedBytes or messageBox returns, so that what the learner sees is never older than what
// the program waits on, hears or asks about. Nothing else may be deferred: every other call
// has done its work when it returns.
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
  // `changed` is in content coordinates. May be held back (see Deferring above).
  virtual void present(const uint32_t* pixels, int width, int height, int stride,
                       const ScreenRect& changed) = 0;
  // Called once, by DestroyWindow of the top-level window; no present() follows.
  virtual void destroyWindow() = 0;

  // --- Input ------------------------------------------------------------------------------
  // Takes the next raw input event if one is waiting; never blocks. Called only when the
  // platform reads its message queue (PeekMessageA, GetMessageA), so input made during a long
  // call waits here. Shows held pixels first.
  virtual bool pollEvent(InputEvent& event) = 0;
  // Blocks until an event is waiting or timeout_ms has passed (negative: no limit). Called by
  // GetMessageA and WaitMessage when the queue is empty. Shows held pixels first.
  virtual void waitForEvent(int timeout_ms) = 0;

  // --- Dialogs and sound cues -----------------------------------------------------------
  // A modal message box; returns the button pressed. Called by MessageBoxA: `flags` are its MB_*
  // bits; `has_owner` tells whether a window of the program owns it. Shows held pixels first.
  virtual MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                                      unsigned flags, bool has_owner) = 0;
  // The sound cue of MessageBeep (`type` is its MB_ICON* value or 0xFFFFFFFF); returns at once,
  // while the cue still sounds. No device: nothing is heard, and that is no error.
  virtual void beep(unsigned type) = 0;

  // --- Time -------------------------------------------------------------------------------
  // Milliseconds on the desktop's clock (virtual on the headless backend). Asked by
  // GetTickCount, for message times and by every wait for a sound. Shows held pixels first.
  virtual uint64_t nowMs() = 0;
  // Lets time pass: the caller has nothing to do for about `ms` milliseconds. Called by Sleep
  // and by the polling loops of the waveform calls (1 ms a turn). Shows held pixels first.
  virtual void sleepMs(int ms) = 0;

  // --- Audio streams --------------------------------------------------------------------
  // Opens the default capture or playback device in `format`; returns a stream id, or -1 when
  // there is no device or it refuses to open. Streams start stopped. Called by waveInOpen,
  // waveOutOpen (also to only ask whether a format opens) and PlaySoundA.
  virtual int openAudio(AudioDirection direction, const AudioFormat& format) = 0;
  // Starts capturing or playing. Called by waveInStart, by waveOutWrite for the first buffer
  // and by PlaySoundA once the whole sound is queued.
  virtual void startAudio(int stream) = 0;
  // Pauses; queued or captured bytes are kept. Called by waveInStop and waveInReset.
  virtual void stopAudio(int stream) = 0;
  // Drops whatever is queued or captured; returns within a moment even when the device is
  // stuck. Called by waveInClose, waveOutReset, waveOutClose, after a format query of the open
  // calls and at the end of PlaySoundA; the id names nothing afterwards.
  virtual void closeAudio(int stream) = 0;
  // Capture: moves up to `bytes` captured bytes into dst; returns how many were moved. Called
  // whenever waveIn's position is asked or its buffers are stopped, never blocks.
  virtual size_t readCaptured(int stream, void* dst, size_t bytes) = 0;
  // Playback: queues bytes to be played after those already queued. Called by waveOutWrite and
  // PlaySoundA; the bytes are copied before it returns.
  virtual void queuePlayback(int stream, const void* src, size_t bytes) = 0;
  // Playback: how many of the queued bytes have been heard so far (not merely handed on).
  // Asked by waveOutGetPosition and by PlaySoundA's wait. Shows held pixels first.
  virtual uint64_t playedBytes(int stream) = 0;
};

// The backend the platform runs on. Made once, at first use, by the program's chooser
// (BackendFactory.h): the program's takes headless when the environment variable ZORVA_BACKEND
// is "headless" and the SDL2 desktop otherwise; tests and tools always take headless. Tests may
// install their own.
Backend& backend();
void installBackend(std::unique_ptr<Backend> replacement);

}  // namespace zorva::platform
