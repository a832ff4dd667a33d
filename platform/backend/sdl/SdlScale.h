// Whole-window integer scaling for high-resolution screens.
//
// The program draws in its own pixels (a 1024x716 window on a large screen) and never learns the
// factor: the backend multiplies what it shows by k, nearest-neighbour, so each program pixel
// becomes an exact k x k block, and divides what it reports (the work area, the window's place,
// pointer positions) by k. At k = 1 every mapping is the identity.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

// The window the program opens on a screen large enough for it: the size a factor must fit.
constexpr int kScaleFitWidth = 1024;
constexpr int kScaleFitHeight = 716;
// Screens at or above this resolution (1.5 times the 96 dpi the design was drawn for) are scaled.
constexpr double kScaleFromDpi = 144.0;
constexpr int kMaxScaleOverride = 3;

// What the choice depends on, read from the desktop and the environment.
struct ScaleInputs {
  double dpi = 0.0;         // the desktop's resolution; 0 when it cannot tell
  int work_width = 0;       // the work area in screen pixels
  int work_height = 0;
  int requested = 0;        // ZORVA_SCALE as parsed; 0 when absent or not understood
};

// The factor: the request when there is one; otherwise 1 below kScaleFromDpi, and above it the
// largest integer at which the fit size still lies within the work area (never below 1).
int chooseScale(const ScaleInputs& inputs);

// ZORVA_SCALE's value: "1", "2" or "3" give that factor; anything else (or null) gives 0.
int parseScaleRequest(const char* text);

// Screen pixels to the program's and back, at one factor. Division rounds towards minus
// infinity, so a point left of or above the window stays outside it.
class ScaleMapping {
 public:
  explicit ScaleMapping(int factor = 1) : factor_(factor < 1 ? 1 : factor) {}
  int factor() const { return factor_; }
  int toProgram(int screen) const;
  int toScreen(int program) const { return program * factor_; }
  ScreenRect toProgram(const ScreenRect& screen) const;
  ScreenRect toScreen(const ScreenRect& program) const;
  // Mouse positions and new window sizes in an input event.
  void toProgram(InputEvent& event) const;

 private:
  int factor_;
};

// Writes the w x h pixels at `src` (src_stride pixels a row) enlarged by k into `dst`, which is
// resized to (w k) x (h k) pixels, rows packed.
void scaleUp(const uint32_t* src, int src_stride, int w, int h, int k, std::vector<uint32_t>& dst);

// The factor for this desktop: its resolution (Xft.dpi, else the X screen's, else SDL's for the
// first display), the work area in screen pixels, and ZORVA_SCALE (a value it cannot use is
// reported on standard error and ignored). Call after SDL's video has started.
int desktopScale(const ScreenRect& work_area);

}  // namespace zorva::platform
