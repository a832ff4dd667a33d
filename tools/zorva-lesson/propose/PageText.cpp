#include "tools/zorva-lesson/propose/PageText.h"

#include <algorithm>

namespace zorva::propose {

int typicalLinePitch(const std::vector<TextLine>& lines) {
  if (lines.empty()) return 1;
  std::vector<int> heights;
  for (const TextLine& line : lines) heights.push_back(line.box.bottom - line.box.top);
  std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
  // Lines of a paragraph lie at least a line's height apart; the closest such step is the pitch.
  int pitch = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const int step = lines[i].box.top - lines[i - 1].box.top;
    if (step >= heights[heights.size() / 2] && (pitch == 0 || step < pitch)) pitch = step;
  }
  return std::max(1, pitch);
}

bool startsParagraph(const std::vector<TextLine>& lines, size_t i, int pitch) {
  return i == 0 || lines[i].box.top - lines[i - 1].box.top > pitch * 3 / 2;
}

PictureRect unite(const PictureRect& a, const PictureRect& b) {
  return PictureRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                     std::max(a.bottom, b.bottom)};
}

PictureRect sentenceArea(const PageSentence& sentence, int margin_px, int width, int height) {
  if (sentence.word_boxes.empty()) return PictureRect{0, 0, 0, 0};
  PictureRect area = sentence.word_boxes.front();
  for (const PictureRect& box : sentence.word_boxes) area = unite(area, box);
  return PictureRect{std::max(0, area.left - margin_px), std::max(0, area.top - margin_px),
                     std::min(width, area.right + margin_px), std::min(height, area.bottom + margin_px)};
}

}  // namespace zorva::propose
