// Lays out an evaluation page with the builder's text layout and measures where each sentence's
// ink lies: every line is also laid out cut after each of its pieces (a speaker label, or the
// part of a sentence on that line), and the ink that a piece adds is that piece's.
#pragma once

#include <string>
#include <vector>

#include "tools/zorva-lesson/Picture.h"

namespace zorva::evaluation {

struct Piece {
  std::string text;
  int sentence = -1;  // -1: a speaker label
};

using PageLine = std::vector<Piece>;  // an empty line is a paragraph gap

struct LaidPage {
  builder::RgbaImage image;
  std::vector<std::vector<builder::PictureRect>> sentence_ink;  // per sentence, its ink on each line
};

LaidPage layOutPage(const std::vector<PageLine>& lines, int sentences);

// Wraps sentences into lines of at most `width_chars` characters, paragraph by paragraph
// (a paragraph ends after each sentence index in `paragraph_ends`).
std::vector<PageLine> wrapProse(const std::vector<std::string>& sentences, const std::vector<int>& paragraph_ends,
                                size_t width_chars);

}  // namespace zorva::evaluation
