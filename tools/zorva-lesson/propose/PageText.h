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
};

// One proposed item's text: its words' boxes and, in a dialogue, its speaker.
struct PageSentence {
  std::string text;
  std::vector<PictureRect> word_boxes;
  std::optional<SpeakerLabel> speaker;
};

// The distance from one line's top to the next's in a paragraph, in picture pixels.
int typicalLinePitch(const std::vector<TextLine>& lines);
// Whether line `i` lies below a gap of more than half a line (or is the first).
bool startsParagraph(const std::vector<TextLine>& lines, size_t i, int pitch);

PictureRect unite(const PictureRect& a, const PictureRect& b);
// The sentence's area: the union of its words, grown by `margin_px` and kept on the picture.
PictureRect sentenceArea(const PageSentence& sentence, int margin_px, int width, int height);

}  // namespace zorva::propose
