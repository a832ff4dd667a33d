// Whole-window scaling for high-resolution screens.
//
// The program draws in its own pixels (a 1024x716 window on a large screen) and never learns the
// factor: the backend enlarges what it shows (SharpScale.h) and divides what it reports (the
// work area, the window's place, pointer positions) by the factor. The factor is a fraction of
// whole numbers, so that both ways are exact: at 1 every mapping is the identity, and at a
// whole factor k each program pixel owns exactly a k x k block of the screen.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

// The window the program opens on a screen large enough for it: the size a factor must fit.
constexpr int kScaleFitWidth = 1024;
constexpr int kScaleFitHeight = 716;
// Screens at or above this resolution (1.5 times the 96 dpi the design was drawn for) are scaled.
constexpr double kScaleFromDpi = 144.0;

// Screen pixels per program pixel, as numerator / denominator (never below 1).
struct ScaleFactor {
  int64_t num = 1;
  int64_t den = 1;
  double value() const { return static_cast<double>(num) / static_cast<double>(den); }
  int whole() const { return static_cast<int>(num / den); }
  bool operator<(const ScaleFactor& other) const { return num * other.den < other.num * den; }
  bool operator==(const ScaleFactor& other) const { return num * other.den == other.num * den; }
};

// What the choice depends on, read from the desktop and the environment.
struct ScaleInputs {
  double dpi = 0.0;         // the desktop's resolution; 0 when it cannot tell
  int work_width = 0;       // the work area in screen pixels
  int work_height = 0;
  std::optional<ScaleFactor> requested;  // ZORVA_SCALE as parsed
};

// The largest factor at which the fit size still lies within the work area (never below 1).
ScaleFactor largestFit(int work_width, int work_height);

// The factor: the request when the window fits at it; otherwise 1 below kScaleFromDpi, and above
// it (or when the request does not fit) the largest that fits.
ScaleFactor chooseScale(const ScaleInputs& inputs);

// ZORVA_SCALE's value: a number from 1 to 8 with at most two decimals ("2", "1.5", "1.25");
// anything else (or null) gives nothing.
std::optional<ScaleFactor> parseScaleRequest(const char* text);

// Screen pixels to the program's and back, at one factor. Screen to program rounds towards
// minus infinity, so a point left of or above the window stays outside it; program to screen
// rounds up, so that a size taken to the screen and back is the size it was.
class ScaleMapping {
 public:
  ScaleMapping() = default;
  explicit ScaleMapping(ScaleFactor factor);
  const ScaleFactor& factor() const { return factor_; }
  int toProgram(int screen) const;
  int toScreen(int program) const;
  ScreenRect toProgram(const ScreenRect& screen) const;
  ScreenRect toScreen(const ScreenRect& program) const;
  // Mouse positions and new window sizes in an input event.
  void toProgram(InputEvent& event) const;

 private:
  ScaleFactor factor_;
};

// The factor for this desktop: its resolution (Xft.dpi, else the X screen's, else SDL's for the
// first display), the work area in screen pixels, and ZORVA_SCALE (a value it cannot use, or one
// at which the window would not fit, is reported on standard error). Call after SDL's video has
// started.
ScaleFactor desktopScale(const ScreenRect& work_area);

}  // namespace zorva::platform
