#include "Raster.h"

#include <algorithm>
#include <cstdlib>

namespace zorva::platform {
namespace {

// One row of a fill: the common solid fill is a plain fill of the row.
void fillRow(uint32_t* row, int count, PixelOp op, uint32_t value) {
  switch (op) {
    case PixelOp::Set: std::fill_n(row, count, value); return;
    case PixelOp::Xor:
      for (int x = 0; x < count; ++x) row[x] = (row[x] ^ value) & 0xFFFFFF;
      return;
    case PixelOp::Invert:
      for (int x = 0; x < count; ++x) row[x] = ~row[x] & 0xFFFFFF;
      return;
  }
}

// One row of a copy: the common plain copy is a block copy of the row.
void combineRow(uint32_t* row, const uint32_t* from, int count, CopyOp op) {
  switch (op) {
    case CopyOp::Copy: std::copy_n(from, count, row); return;
    case CopyOp::Or:
      for (int x = 0; x < count; ++x) row[x] |= from[x];
      return;
    case CopyOp::And:
      for (int x = 0; x < count; ++x) row[x] &= from[x];
      return;
    case CopyOp::Xor:
      for (int x = 0; x < count; ++x) row[x] ^= from[x];
      return;
    case CopyOp::NotCopy:
      for (int x = 0; x < count; ++x) row[x] = ~from[x] & 0xFFFFFF;
      return;
  }
}

inline bool inClips(const ClipList& clips, int x, int y) {
  for (const PixelRect& c : clips)
    if (c.contains(x, y)) return true;
  return false;
}

}  // namespace

PixelRect fillArea(Surface& s, const ClipList& clips, const PixelRect& area, PixelOp op,
                   uint32_t value) {
  PixelRect touched;
  for (const PixelRect& c : clips) {
    const PixelRect r = area.intersect(c);
    if (r.empty()) continue;
    const bool whole = r.left <= 0 && r.top <= 0 && r.right >= s.width() && r.bottom >= s.height();
    if (whole && op == PixelOp::Set) s.fill(value);
    else for (int y = r.top; y < r.bottom; ++y) fillRow(s.row(y) + r.left, r.right - r.left, op, value);
    touched = unite(touched, r);
  }
  return touched;
}

PixelRect drawLine(Surface& s, const ClipList& clips, int x0, int y0, int x1, int y1,
                   uint32_t colour) {
  // Bresenham in closed form: step i along the major axis moves the minor axis by
  // round(i * minor / major) (halves go down). Only the steps that can land on the surface
  // are visited, so a line to a far-away point costs no more than one across the surface.
  const long long dx = std::llabs(static_cast<long long>(x1) - x0);
  const long long dy = std::llabs(static_cast<long long>(y1) - y0);
  const long long sx = x0 < x1 ? 1 : -1;
  const long long sy = y0 < y1 ? 1 : -1;
  const bool x_major = dx >= dy;
  const long long major = x_major ? dx : dy;
  const long long minor = x_major ? dy : dx;
  if (major == 0) return {};
  // Steps whose major coordinate lies on the surface.
  const long long m0 = x_major ? x0 : y0;
  const long long ms = x_major ? sx : sy;
  const long long extent = x_major ? s.width() : s.height();
  long long first = 0;
  long long last = major;  // exclusive: the end point is left out
  if (ms > 0) {
    first = std::max(first, -m0);
    last = std::min(last, extent - m0);
  } else {
    first = std::max(first, m0 - (extent - 1));
    last = std::min(last, m0 + 1);
  }
  PixelRect touched;
  for (long long i = first; i < last; ++i) {
    const long long step =
        static_cast<long long>((static_cast<__int128>(i) * minor + major / 2) / major);
    const long long x = x_major ? x0 + sx * i : x0 + sx * step;
    const long long y = x_major ? y0 + sy * step : y0 + sy * i;
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) continue;
    const int px = static_cast<int>(x);
    const int py = static_cast<int>(y);
    if (!inClips(clips, px, py)) continue;
    s.setPixel(px, py, colour);
    touched = unite(touched, {px, py, px + 1, py + 1});
  }
  return touched;
}

PixelRect copyArea(Surface& dst, const ClipList& clips, int dx, int dy, int w, int h,
                   const Surface& src, int sx, int sy, CopyOp op) {
  if (w <= 0 || h <= 0) return {};
  // The destination area whose source lies on the source surface.
  PixelRect area{dx, dy, dx + w, dy + h};
  const PixelRect source_on_dst{dx - sx, dy - sy, dx - sx + src.width(), dy - sy + src.height()};
  area = area.intersect(source_on_dst);
  if (area.empty()) return {};
  // Within one surface the source block is copied first, so the copy reads no pixel it has
  // written; from another surface the rows are read where they lie.
  const int bw = area.right - area.left;
  const int bh = area.bottom - area.top;
  std::vector<uint32_t> block;
  if (&src == &dst) {
    block.resize(static_cast<size_t>(bw) * bh);
    for (int y = 0; y < bh; ++y) {
      const uint32_t* row = src.row(area.top + y + sy - dy) + (area.left + sx - dx);
      std::copy(row, row + bw, block.begin() + static_cast<size_t>(y) * bw);
    }
  }
  // Where the source of destination pixel (x, y) lies.
  const auto source = [&](int x, int y) -> const uint32_t* {
    if (block.empty()) return src.row(y + sy - dy) + (x + sx - dx);
    return block.data() + static_cast<size_t>(y - area.top) * bw + (x - area.left);
  };
  PixelRect touched;
  for (const PixelRect& c : clips) {
    const PixelRect r = area.intersect(c);
    if (r.empty()) continue;
    for (int y = r.top; y < r.bottom; ++y)
      combineRow(dst.row(y) + r.left, source(r.left, y), r.right - r.left, op);
    touched = unite(touched, r);
  }
  return touched;
}

}  // namespace zorva::platform
