#include "platform/backend/sdl/SdlScale.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>

#include "platform/backend/sdl/X11Dpi.h"

namespace zorva::platform {
namespace {

constexpr int kLargestRequest = 8;

int64_t floorDiv(int64_t a, int64_t b) {
  const int64_t quotient = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

ScaleFactor reduced(int64_t num, int64_t den) {
  const int64_t common = std::gcd(num, den);
  return ScaleFactor{num / common, den / common};
}

}  // namespace

ScaleFactor largestFit(int work_width, int work_height) {
  // Of width / 1024 and height / 716, the smaller is the one both sides allow.
  const ScaleFactor by_width{work_width, kScaleFitWidth};
  const ScaleFactor by_height{work_height, kScaleFitHeight};
  const ScaleFactor fit = by_width < by_height ? by_width : by_height;
  return fit < ScaleFactor{} ? ScaleFactor{} : reduced(fit.num, fit.den);
}

ScaleFactor chooseScale(const ScaleInputs& inputs) {
  const ScaleFactor fit = largestFit(inputs.work_width, inputs.work_height);
  if (inputs.requested) return fit < *inputs.requested ? fit : *inputs.requested;
  if (inputs.dpi < kScaleFromDpi) return ScaleFactor{};
  return fit;
}

std::optional<ScaleFactor> parseScaleRequest(const char* text) {
  if (text == nullptr) return std::nullopt;
  int64_t num = 0, den = 1;
  bool point = false, digits = false;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '.' && !point && digits) {
      point = true;
    } else if (*c >= '0' && *c <= '9' && num <= kLargestRequest * 100 && (!point || den < 100)) {
      num = num * 10 + (*c - '0');
      if (point) den *= 10;
      digits = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits || num < den || num > kLargestRequest * den) return std::nullopt;
  return reduced(num, den);
}

ScaleMapping::ScaleMapping(ScaleFactor factor) : factor_(factor.num < factor.den ? ScaleFactor{} : factor) {}

int ScaleMapping::toProgram(int screen) const {
  return static_cast<int>(floorDiv(int64_t{screen} * factor_.den, factor_.num));
}

int ScaleMapping::toScreen(int program) const {
  return static_cast<int>(-floorDiv(-int64_t{program} * factor_.num, factor_.den));
}

ScreenRect ScaleMapping::toProgram(const ScreenRect& screen) const {
  return ScreenRect{toProgram(screen.left), toProgram(screen.top), toProgram(screen.right), toProgram(screen.bottom)};
}

ScreenRect ScaleMapping::toScreen(const ScreenRect& program) const {
  return ScreenRect{toScreen(program.left), toScreen(program.top), toScreen(program.right), toScreen(program.bottom)};
}

void ScaleMapping::toProgram(InputEvent& event) const {
  switch (event.kind) {
    case InputKind::MouseDown:
    case InputKind::MouseUp:
    case InputKind::MouseMove:
      event.x = toProgram(event.x);
      event.y = toProgram(event.y);
      break;
    case InputKind::Resize:
      event.width = toProgram(event.width);
      event.height = toProgram(event.height);
      break;
    default: break;
  }
}

ScaleFactor desktopScale(const ScreenRect& work_area) {
  ScaleInputs inputs;
  inputs.work_width = work_area.width();
  inputs.work_height = work_area.height();
  const char* asked = std::getenv("ZORVA_SCALE");
  inputs.requested = parseScaleRequest(asked);
  if (asked != nullptr && *asked != '\0' && !inputs.requested) {
    std::fprintf(stderr, "zorva: ZORVA_SCALE=%s is not a number from 1 to %d; the scale follows the screen\n", asked,
                 kLargestRequest);
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0) inputs.dpi = x11Dpi();
  float sdl_dpi = 0.0f;
  if (inputs.dpi <= 0.0 && SDL_GetDisplayDPI(0, &sdl_dpi, nullptr, nullptr) == 0) inputs.dpi = sdl_dpi;
  const ScaleFactor chosen = chooseScale(inputs);
  if (inputs.requested && !(chosen == *inputs.requested)) {
    std::fprintf(stderr, "zorva: at ZORVA_SCALE=%s the window would not fit the screen's %dx%d; the scale is %.3g\n",
                 asked, inputs.work_width, inputs.work_height, chosen.value());
  }
  return chosen;
}

}  // namespace zorva::platform
