// Enlarging the program's pixels for the screen, sharp at any factor ("sharp bilinear"): each
// program pixel first becomes a k x k block, k the whole part of the factor, and that image is
// then resized linearly to the final size. Edges between program pixels blur over at most one
// screen pixel, and at a whole factor nothing is blended: every pixel is an exact block.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

class SharpScale {
 public:
  // Program pixels w x h onto screen pixels screen_w x screen_h, through blocks of `whole`.
  SharpScale(int w, int h, int screen_w, int screen_h, int whole);

  int screenWidth() const { return static_cast<int>(columns_.size()); }
  int screenHeight() const { return static_cast<int>(rows_.size()); }
  // The screen pixels whose colour depends on the program pixels in `program` (clipped).
  ScreenRect affected(const ScreenRect& program) const;
  // Writes the screen pixels of `screen` (within the screen size) into `dst`, rows packed,
  // from all w x h program pixels at `src` (`src_stride` pixels a row). Pixels are COLORREFs;
  // each channel is blended alone.
  void draw(const uint32_t* src, int src_stride, const ScreenRect& screen, std::vector<uint32_t>& dst) const;

 private:
  // One screen column (or row): the two program pixels it lies between and how far towards the
  // second, in 256ths.
  struct Tap {
    int first = 0;
    int second = 0;
    uint32_t weight = 0;
  };
  static std::vector<Tap> taps(int program_size, int screen_size, int whole);

  std::vector<Tap> columns_;
  std::vector<Tap> rows_;
};

}  // namespace zorva::platform
