// What the text reader found on a page and how it is grouped into the page's sentences.
// All boxes are in picture pixels: left and top inclusive, right and bottom exclusive.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/LessonDescription.h"

namespace zorva::propose {

using builder::PictureRect;

struct Word {
  std::string text;  // UTF-8
  PictureRect box;
  bool bold = false;  // its strokes are markedly thicker than the page's usual print
};

// A speaker label at the start of a dialogue line ("Anna:", "A:", "—").
struct SpeakerLabel {
  std::string role;
  PictureRect box;
};

struct TextLine {
  std::vector<Word> words;  // without the speaker label
  std::optional<SpeakerLabel> label;
  PictureRect box;  // all the line's words, label included
  int block = 0;    // the layout's block (a column, a caption, ...) it lies in
};

// One proposed item's text: its words' boxes and, in a dialogue, its speaker.
struct PageSentence {
  std::string text;
  std::vector<PictureRect> word_boxes;
  std::optional<SpeakerLabel> speaker;
};

// Print that is not read aloud, left out of the items: a heading, a caption, a page number.
struct UnreadPrint {
  std::string text;
  std::string kind;  // "heading or caption", "page number", "numbering", kNotHeard
};

// The kind of an item left out because the recording holds no speech of it.
inline constexpr const char* kNotHeard = "not heard in the recording";

// The middle height of a line's words, which a label, a dash or descenders do not stretch.
int wordHeight(const TextLine& line);
// Where a line stands: the middle of its first word, which a slightly turned page moves alike
// for every line of a column, whatever the lines' lengths.
int lineY(const TextLine& line);

// The distance from one line's top to the next's in a paragraph, in picture pixels.
int typicalLinePitch(const std::vector<TextLine>& lines);
// Whether line `i` starts a block, or lies below a wider gap than the lines of its block around
// it (or, with no such neighbours, than the page's usual pitch).
bool startsParagraph(const std::vector<TextLine>& lines, size_t i, int pitch);

PictureRect unite(const PictureRect& a, const PictureRect& b);

}  // namespace zorva::propose
