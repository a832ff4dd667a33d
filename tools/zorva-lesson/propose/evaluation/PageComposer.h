// Prints an evaluation page as a course book does: blocks of text in their own fonts and sizes
// (columns, headings, captions, numbers, speaker labels) and pictures, each block wrapped to its
// width with Pango. The same drawing goes to a picture or to a PDF page, and where each sentence's
// ink lies on the picture is measured line by line.
#pragma once

#include <string>
#include <vector>

#include "tools/zorva-lesson/Picture.h"

namespace zorva::evaluation {

using builder::PictureRect;

// The page is as large as a page picture Zorva shows.
constexpr int kComposedWidth = 740;
constexpr int kComposedHeight = 736;

struct Span {
  std::string text;
  int sentence = -1;  // the sentence it belongs to; -1: print that is not read aloud
  bool bold = false;
};

struct TextBlock {
  int left = 0, top = 0, width = 0;
  double size_px = 22;
  bool bold = false;
  bool italic = false;
  std::vector<Span> spans;  // one paragraph, joined by spaces and wrapped to the width
};

struct Composition {
  std::vector<TextBlock> blocks;
  std::vector<PictureRect> pictures;
};

struct ComposedPage {
  builder::RgbaImage image;
  std::vector<std::vector<PictureRect>> sentence_ink;  // per sentence, its ink on each line
};

// The height a block takes once wrapped, so compositions can stack blocks.
int blockHeight(const TextBlock& block);

ComposedPage compose(const Composition& page, int sentences);

// The same page on one page of a PDF, A4 wide.
void writePdf(const Composition& page, const std::string& path);

}  // namespace zorva::evaluation
