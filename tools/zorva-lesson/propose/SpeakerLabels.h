// Speaker labels of a dialogue at the start of a line: "Anna:", "A:", "Anna :", "ANNA —",
// "ANNA -", a name in bold, or a dash; a label may stand on a line of its own above its turn. A
// name counts as a label when it starts two or more lines, or its line follows a dialogue line,
// so a heading such as "Dialog: Im Café" is not taken for a speaker.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/PageText.h"

namespace zorva::propose {

// The role a word would name as a label ("Anna:" → "Anna", "—" → "—"), if it has a label's form.
std::optional<std::string> labelRole(const std::string& word);

// Moves each line's leading label out of its words into `label` (a label alone on its line
// into the next line's `label`).
void findSpeakerLabels(std::vector<TextLine>& lines);

// Who speaks on each line: its own label, or the label of the turn that the line continues
// (a line without a label straight below a dialogue line).
std::vector<std::optional<SpeakerLabel>> lineSpeakers(const std::vector<TextLine>& lines);

}  // namespace zorva::propose
