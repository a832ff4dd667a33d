// The author's own sentences (one a line of a file) found among the recognised words: the
// letters of both are aligned as two strings with the fewest edits, so misread letters, split or
// joined words and specks taken for words cost a little each but do not move a sentence's bounds.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/PageText.h"

namespace zorva::propose {

// One sentence per entry, in the given order; a sentence none of whose letters was found has no
// word boxes. A leading speaker label in a given sentence ("Anna: Hallo!") is not part of its text.
// The role of a sentence in the list ("Anna: Hallo!") is its speaker's, standing where the line's
// printed label stands; `speakers` are the lines' printed speakers, as lineSpeakers gives them.
std::vector<PageSentence> matchSentences(const std::vector<TextLine>& lines,
                                         const std::vector<std::optional<SpeakerLabel>>& speakers,
                                         const std::vector<std::string>& given);

// Reads a UTF-8 file of one sentence a line; empty lines are skipped.
std::vector<std::string> readSentenceFile(const std::string& path);

}  // namespace zorva::propose
