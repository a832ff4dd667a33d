// A photographed page lies turned a few degrees and lit unevenly. A turned line's words get boxes
// as tall as the slope they climb, and a shadow reads as ink: the text is read on a straightened
// copy with its paper evened out, and each area found there is turned back onto the picture as
// given.
#pragma once

#include <vector>

#include "tools/zorva-lesson/Picture.h"
#include "tools/zorva-lesson/propose/PageText.h"

namespace zorva::propose {

struct StraightPage {
  builder::RgbaImage picture;  // grey, paper white, lines level; as large as the picture given
  double turn_degrees = 0;     // how far the given page's lines are turned, clockwise
  std::vector<PictureRect> ink_pieces;  // each stroke's box on `picture`: a letter, a dot, a line

  // The smallest rectangle on the given picture that holds `straight` turned back.
  PictureRect onGiven(const PictureRect& straight) const;
  // The same for a sentence's words, turned back line by line: a turned sentence's rectangle
  // need not reach the corners its lines' union would have.
  PictureRect onGiven(const std::vector<PictureRect>& words) const;
};

StraightPage straightened(const builder::RgbaImage& given);

// The ink of the pieces whose middle lies in `box`, or `box` when none does. A recogniser's box
// of small print reaches into the lines above and below; the ink ends where the letters do.
PictureRect inkWithin(const StraightPage& page, const PictureRect& box);

}  // namespace zorva::propose
