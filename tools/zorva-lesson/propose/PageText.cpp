#include "tools/zorva-lesson/propose/PageText.h"

#include <algorithm>

namespace zorva::propose {

int wordHeight(const TextLine& line) {
  std::vector<int> heights;
  for (const Word& word : line.words) heights.push_back(word.box.bottom - word.box.top);
  if (heights.empty()) return line.box.bottom - line.box.top;
  std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
  return heights[heights.size() / 2];
}

int lineY(const TextLine& line) {
  const PictureRect& first = line.words.empty() ? line.box : line.words.front().box;
  return (first.top + first.bottom) / 2;
}

int typicalLinePitch(const std::vector<TextLine>& lines) {
  if (lines.empty()) return 1;
  std::vector<int> heights;
  for (const TextLine& line : lines) heights.push_back(line.box.bottom - line.box.top);
  std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
  // Lines of a paragraph lie at least a line's height apart; the closest such step is the pitch.
  int pitch = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const int step = lineY(lines[i]) - lineY(lines[i - 1]);
    if (step >= heights[heights.size() / 2] && (pitch == 0 || step < pitch)) pitch = step;
  }
  return std::max(1, pitch);
}

bool startsParagraph(const std::vector<TextLine>& lines, size_t i, int pitch) {
  if (i == 0 || lines[i].block != lines[i - 1].block) return true;
  const auto step = [&](size_t k) { return lineY(lines[k]) - lineY(lines[k - 1]); };
  // Paragraphs of larger or smaller print have their own pitch: the steps beside this one say it.
  int usual = 0;
  if (i >= 2 && lines[i - 2].block == lines[i].block) usual = step(i - 1);
  if (i + 1 < lines.size() && lines[i + 1].block == lines[i].block && (usual == 0 || step(i + 1) < usual))
    usual = step(i + 1);
  if (usual <= 0) usual = pitch;
  return step(i) * 10 > usual * 13;
}

PictureRect unite(const PictureRect& a, const PictureRect& b) {
  return PictureRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                     std::max(a.bottom, b.bottom)};
}

}  // namespace zorva::propose
