#include "platform/backend/sdl/SharpScale.h"

#include <algorithm>

namespace zorva::platform {
namespace {

uint32_t blend(uint32_t a, uint32_t b, uint32_t weight) {
  if (weight == 0) return a;
  const uint32_t keep = 256 - weight;
  const uint32_t red_blue = ((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight + 0x800080u) >> 8;
  const uint32_t green = ((a & 0xFF00u) * keep + (b & 0xFF00u) * weight + 0x8000u) >> 8;
  return (red_blue & 0xFF00FFu) | (green & 0xFF00u);
}

}  // namespace

SharpScale::SharpScale(int w, int h, int screen_w, int screen_h, int whole)
    : columns_(taps(w, screen_w, whole)), rows_(taps(h, screen_h, whole)) {}

std::vector<SharpScale::Tap> SharpScale::taps(int program_size, int screen_size, int whole) {
  std::vector<Tap> out(static_cast<size_t>(std::max(screen_size, 0)));
  if (program_size <= 0) return out;
  const int64_t blocks = int64_t{program_size} * std::max(whole, 1);  // pixels of the block image
  const int64_t span = 2 * int64_t{screen_size};
  for (int x = 0; x < screen_size; ++x) {
    // The screen pixel's centre in the block image, in units of 1 / span: (x + 1/2) * blocks /
    // screen_size - 1/2. Past the first or last centre the edge pixel is taken alone.
    const int64_t at = (2 * int64_t{x} + 1) * blocks - screen_size;
    int64_t index = at < 0 ? 0 : at / span;
    int64_t fraction = at < 0 ? 0 : at % span;
    if (index >= blocks - 1) {
      index = blocks - 1;
      fraction = 0;
    }
    Tap& tap = out[static_cast<size_t>(x)];
    tap.first = static_cast<int>(index / std::max(whole, 1));
    tap.second = static_cast<int>((index + 1) / std::max(whole, 1));
    tap.weight = static_cast<uint32_t>((fraction * 256 + span / 2) / span);
    if (tap.second >= program_size || tap.weight == 0 || tap.first == tap.second) {
      tap.second = tap.first;
      tap.weight = 0;
    }
  }
  return out;
}

ScreenRect SharpScale::affected(const ScreenRect& program) const {
  // A screen pixel reads the program pixels it lies between, so it may be affected when either
  // of its two is; the taps only move forwards, so the first and last such pixel bound them.
  auto span = [](const std::vector<Tap>& taps, int from, int to, int& begin, int& end) {
    auto touches = [&](const Tap& t) { return (t.first >= from && t.first < to) || (t.second >= from && t.second < to); };
    const auto first = std::find_if(taps.begin(), taps.end(), touches);
    const auto last = std::find_if(taps.rbegin(), taps.rend(), touches);
    begin = static_cast<int>(first - taps.begin());
    end = first == taps.end() ? begin : static_cast<int>(taps.rend() - last);
  };
  ScreenRect screen;
  span(columns_, program.left, program.right, screen.left, screen.right);
  span(rows_, program.top, program.bottom, screen.top, screen.bottom);
  return screen.empty() ? ScreenRect{} : screen;
}

void SharpScale::draw(const uint32_t* src, int src_stride, const ScreenRect& screen, std::vector<uint32_t>& dst) const {
  const int x0 = std::clamp(screen.left, 0, screenWidth()), x1 = std::clamp(screen.right, x0, screenWidth());
  const int y0 = std::clamp(screen.top, 0, screenHeight()), y1 = std::clamp(screen.bottom, y0, screenHeight());
  dst.resize(static_cast<size_t>(x1 - x0) * static_cast<size_t>(y1 - y0));
  uint32_t* out = dst.data();
  for (int y = y0; y < y1; ++y) {
    const Tap& row = rows_[static_cast<size_t>(y)];
    const uint32_t* upper = src + static_cast<size_t>(row.first) * static_cast<size_t>(src_stride);
    const uint32_t* lower = src + static_cast<size_t>(row.second) * static_cast<size_t>(src_stride);
    for (int x = x0; x < x1; ++x) {
      const Tap& column = columns_[static_cast<size_t>(x)];
      const uint32_t top = blend(upper[column.first], upper[column.second], column.weight);
      if (row.weight == 0) {
        *out++ = top;
        continue;
      }
      *out++ = blend(top, blend(lower[column.first], lower[column.second], column.weight), row.weight);
    }
  }
}

}  // namespace zorva::platform
