// The rasteriser: pure functions over a surface and a list of device clip rectangles. Each
// returns the bounding device rectangle it may have changed (empty when nothing).
#pragma once

#include <cstdint>
#include <vector>

#include "../Surface.h"

namespace zorva::platform {

using ClipList = std::vector<PixelRect>;

enum class PixelOp { Set, Xor, Invert };

// Fills `area` (right and bottom excluded).
PixelRect fillArea(Surface& s, const ClipList& clips, const PixelRect& area, PixelOp op,
                   uint32_t value);
// A one-pixel line from (x0,y0) towards (x1,y1), the end point left out.
PixelRect drawLine(Surface& s, const ClipList& clips, int x0, int y0, int x1, int y1,
                   uint32_t colour);

enum class CopyOp { Copy, Or, And, Xor, NotCopy };

// Copies the w x h block at (sx,sy) of `src` to (dx,dy) of `dst`; only pixels whose source
// lies on `src` are copied. `src` may be `dst` itself, overlapping or not.
PixelRect copyArea(Surface& dst, const ClipList& clips, int dx, int dy, int w, int h,
                   const Surface& src, int sx, int sy, CopyOp op);

}  // namespace zorva::platform
