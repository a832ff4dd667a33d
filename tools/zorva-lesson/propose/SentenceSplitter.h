// The page's sentences from the recognised text alone: a sentence ends at a word that ends in
// . ! ? or … (not an abbreviation), at a new speaker, at a paragraph gap, and after a short line
// (a heading) followed by one that starts with a capital. A dialogue turn is one item however
// many sentences it holds: it is what a learner takes over in a roleplay.
#pragma once

#include <optional>
#include <vector>

#include "tools/zorva-lesson/propose/PageText.h"

namespace zorva::propose {

// `speakers`: each line's speaker, as lineSpeakers gives them.
std::vector<PageSentence> splitSentences(const std::vector<TextLine>& lines,
                                         const std::vector<std::optional<SpeakerLabel>>& speakers);

// Takes out of `lines` the print a reader does not read aloud, judged by the layout: lines of a
// page number, the numbers of numbered exercises ("1.", "b)"), and a line that stands alone
// without a sentence's end (a heading or a caption: a line of its own block or paragraph, or one
// in larger or bold print above the text, or a short one).
std::vector<UnreadPrint> setAsideUnreadPrint(std::vector<TextLine>& lines);

}  // namespace zorva::propose
