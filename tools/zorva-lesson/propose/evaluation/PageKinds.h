// The kinds of print the evaluation pages come in, as course books print them: prose under a
// heading, two columns, text beside a picture with its caption, numbered exercises, mixed font
// sizes, and dialogues in six label styles ("Anna:", "Anna :", "ANNA —", "ANNA -", a bold name,
// a label on its own line). Headings, page numbers, captions, exercise numbers and labels are
// print that is not read aloud.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/evaluation/EvaluationTexts.h"
#include "tools/zorva-lesson/propose/evaluation/PageComposer.h"

namespace zorva::evaluation {

enum class PrintKind { kProse, kDialogue, kTwoColumns, kPictureCaption, kExercise, kMixedSizes };

const char* printKindName(PrintKind kind);

struct Script {
  Composition print;
  std::vector<std::string> spoken;  // each sentence as read aloud, in reading order
  std::vector<std::string> roles;   // the speaker of each sentence, or empty
  std::vector<int> voices;          // each sentence's voice: 0 the prose's, 1 and 2 the speakers'
};

// `style` picks a dialogue's label style (0 to 5); other kinds ignore it.
Script printedPage(PrintKind kind, const LanguageTexts& texts, int style, std::mt19937& random);

// The author's list of a page's sentences ("Anna: Hallo!" in a dialogue), typed carelessly when
// `sloppy`: a letter swapped, other quotes, "ss" for "ß", no "¿" or "¡", no final stop.
std::vector<std::string> authorsList(const Script& script, bool sloppy, std::mt19937& random);

}  // namespace zorva::evaluation
