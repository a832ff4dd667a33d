#include "tools/zorva-lesson/propose/evaluation/PageLayout.h"

#include <algorithm>
#include <sstream>

namespace zorva::evaluation {
namespace {

constexpr int kPageWidth = 740;
constexpr int kMarginPx = 40;    // the builder's text layout: first line at 40, one line every 40
constexpr int kLineStepPx = 40;  // (only to size the page: the ink is looked for in each line's box)
constexpr int kInkLevel = 160;   // darker than this in every channel counts as ink

std::string joined(const PageLine& line, size_t pieces) {
  std::string text;
  for (size_t i = 0; i < pieces && i < line.size(); ++i)
    text += (i == 0 ? "" : line[i - 1].sentence < 0 ? "  " : " ") + line[i].text;
  return text;
}

builder::TextPage render(const std::vector<PageLine>& lines, size_t pieces, int height) {
  std::vector<std::string> texts;
  for (const PageLine& line : lines) texts.push_back(joined(line, pieces));
  return builder::layOutText(texts, kPageWidth, height, builder::SourceRef{"evaluation page", 0});
}

bool isInk(const builder::RgbaImage& image, int x, int y) {
  const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
  return p[0] < kInkLevel && p[1] < kInkLevel && p[2] < kInkLevel;
}

// The ink of `image` in columns [x0, x1) and rows [y0, y1); an empty box if there is none.
builder::PictureRect inkBox(const builder::RgbaImage& image, int x0, int x1, int y0, int y1) {
  builder::PictureRect box{x1, y1, x0, y0};
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (isInk(image, x, y))
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  return box.right > box.left ? box : builder::PictureRect{};
}

}  // namespace

LaidPage layOutPage(const std::vector<PageLine>& lines, int sentences) {
  const int height = 2 * kMarginPx + static_cast<int>(lines.size()) * kLineStepPx;
  size_t most = 0;
  for (const PageLine& line : lines) most = std::max(most, line.size());
  LaidPage page;
  const builder::TextPage whole = render(lines, most, height);
  page.image = whole.image;
  page.sentence_ink.resize(sentences);
  // right_edge[l]: where the ink of line l's pieces so far ends.
  std::vector<int> right_edge(lines.size(), 0);
  for (size_t k = 0; k < most; ++k) {
    const builder::RgbaImage cut = k + 1 == most ? page.image : render(lines, k + 1, height).image;
    for (size_t l = 0; l < lines.size(); ++l) {
      if (k >= lines[l].size()) continue;
      // A line's box holds its ink and none of its neighbours'.
      const int top = std::max(0, whole.lines[l].box.top), bottom = std::min(height, whole.lines[l].box.bottom);
      const int end = inkBox(cut, 0, kPageWidth, top, bottom).right;
      const builder::PictureRect ink = inkBox(page.image, right_edge[l], end, top, bottom);
      right_edge[l] = end;
      if (lines[l][k].sentence >= 0 && ink.right > ink.left) page.sentence_ink[lines[l][k].sentence].push_back(ink);
    }
  }
  return page;
}

std::vector<PageLine> wrapProse(const std::vector<std::string>& sentences, const std::vector<int>& paragraph_ends,
                                size_t width_chars) {
  std::vector<PageLine> lines(1);
  size_t used = 0;
  for (size_t s = 0; s < sentences.size(); ++s) {
    std::istringstream words(sentences[s]);
    std::string word;
    while (words >> word) {
      if (used > 0 && used + 1 + word.size() > width_chars) {
        lines.emplace_back();
        used = 0;
      }
      PageLine& line = lines.back();
      if (line.empty() || line.back().sentence != static_cast<int>(s)) {
        line.push_back(Piece{word, static_cast<int>(s)});
      } else {
        line.back().text += " " + word;
      }
      used += (used > 0 ? 1 : 0) + word.size();
    }
    if (std::find(paragraph_ends.begin(), paragraph_ends.end(), static_cast<int>(s)) != paragraph_ends.end() &&
        s + 1 < sentences.size()) {
      lines.emplace_back();  // the gap
      lines.emplace_back();
      used = 0;
    }
  }
  return lines;
}

}  // namespace zorva::evaluation
