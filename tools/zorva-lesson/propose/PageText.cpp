#include "tools/zorva-lesson/propose/PageText.h"

#include <algorithm>

namespace zorva::propose {

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
