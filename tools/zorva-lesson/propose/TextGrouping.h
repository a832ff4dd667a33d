// propose's text grouping, one pass over the recognised lines: the speakers' labels are found
// once, and each line's speaker with them; then, without the author's list, print that is not
// read aloud is set aside and the sentences are split at their ends, or, with the list, its
// sentences are found among the recognised words.
#pragma once

#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/PageText.h"

namespace zorva::propose {

struct GroupedText {
  std::vector<PageSentence> sentences;  // the items' texts, in reading order (or the list's)
  std::vector<UnreadPrint> left_out;    // without a list: the print no item holds
};

// `given`: the author's sentences, one an entry, or none.
GroupedText groupText(std::vector<TextLine> lines, const std::vector<std::string>& given);

}  // namespace zorva::propose
