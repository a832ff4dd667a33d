// The page's layout from the recognised lines themselves, so a page whose columns the text
// reader ran together is still read column by column: a line is cut where a gap much wider than
// a space lies between two words (a gutter), pieces stacked close below each other at one left
// edge form a block (a column, a caption, a heading, text beside a picture), and the blocks are
// read in rows from the top, the blocks of a row from left to right.
#pragma once

#include <vector>

#include "tools/zorva-lesson/propose/PageText.h"

namespace zorva::propose {

// The lines in reading order, each with its block's number.
std::vector<TextLine> inReadingOrder(const std::vector<TextLine>& lines);

}  // namespace zorva::propose
