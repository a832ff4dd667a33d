#include "platform/backend/sdl/SdlScale.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backend/sdl/X11Dpi.h"

namespace zorva::platform {

int chooseScale(const ScaleInputs& inputs) {
  if (inputs.requested >= 1) return inputs.requested;
  if (inputs.dpi < kScaleFromDpi) return 1;
  const int fit = std::min(inputs.work_width / kScaleFitWidth, inputs.work_height / kScaleFitHeight);
  return std::max(fit, 1);
}

int parseScaleRequest(const char* text) {
  if (text == nullptr || std::strlen(text) != 1) return 0;
  const int value = text[0] - '0';
  return value >= 1 && value <= kMaxScaleOverride ? value : 0;
}

int ScaleMapping::toProgram(int screen) const {
  const int quotient = screen / factor_;
  return (screen % factor_ != 0 && screen < 0) ? quotient - 1 : quotient;
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

void scaleUp(const uint32_t* src, int src_stride, int w, int h, int k, std::vector<uint32_t>& dst) {
  const size_t row_px = static_cast<size_t>(w) * static_cast<size_t>(k);
  dst.resize(row_px * static_cast<size_t>(h) * static_cast<size_t>(k));
  for (int y = 0; y < h; ++y) {
    uint32_t* first = &dst[static_cast<size_t>(y) * static_cast<size_t>(k) * row_px];
    const uint32_t* in = src + static_cast<size_t>(y) * static_cast<size_t>(src_stride);
    for (int x = 0; x < w; ++x) std::fill_n(first + static_cast<size_t>(x) * k, k, in[x]);
    for (int copy = 1; copy < k; ++copy) std::copy_n(first, row_px, first + copy * row_px);
  }
}

int desktopScale(const ScreenRect& work_area) {
  ScaleInputs inputs;
  inputs.work_width = work_area.width();
  inputs.work_height = work_area.height();
  const char* asked = std::getenv("ZORVA_SCALE");
  inputs.requested = parseScaleRequest(asked);
  if (asked != nullptr && *asked != '\0' && inputs.requested == 0) {
    std::fprintf(stderr, "zorva: ZORVA_SCALE=%s is not 1, 2 or 3; the scale follows the screen\n", asked);
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0) inputs.dpi = x11Dpi();
  float sdl_dpi = 0.0f;
  if (inputs.dpi <= 0.0 && SDL_GetDisplayDPI(0, &sdl_dpi, nullptr, nullptr) == 0) inputs.dpi = sdl_dpi;
  return chooseScale(inputs);
}

}  // namespace zorva::platform
