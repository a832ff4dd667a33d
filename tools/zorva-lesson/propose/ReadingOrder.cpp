#include "tools/zorva-lesson/propose/ReadingOrder.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <tuple>

namespace zorva::propose {
namespace {

constexpr double kGutterHeights = 1.7;    // a gap between words wider than this many word heights
constexpr double kStackedHeights = 2.0;   // pieces of a block lie at most this far apart ...
constexpr double kAlignedHeights = 1.0;   // ... with their left edges this close

int height(const PictureRect& box) { return box.bottom - box.top; }

std::vector<TextLine> cutAtGutters(const std::vector<TextLine>& lines) {
  std::vector<TextLine> pieces;
  for (const TextLine& line : lines) {
    if (line.words.empty()) continue;
    const int gutter = static_cast<int>(kGutterHeights * wordHeight(line));
    TextLine piece{{}, std::nullopt, line.words.front().box, 0};
    for (size_t w = 0; w < line.words.size(); ++w) {
      if (w > 0 && line.words[w].box.left - line.words[w - 1].box.right > gutter) {
        pieces.push_back(piece);
        piece = TextLine{{}, std::nullopt, line.words[w].box, 0};
      }
      piece.words.push_back(line.words[w]);
      piece.box = unite(piece.box, line.words[w].box);
    }
    pieces.push_back(piece);
  }
  return pieces;
}

// The reader sometimes gives a line's first word (a speaker's name) as a line of its own: pieces
// side by side on one row, closer than a gutter, are one line.
std::vector<TextLine> joinedOnRows(std::vector<TextLine> pieces) {
  std::sort(pieces.begin(), pieces.end(), [](const TextLine& a, const TextLine& b) { return a.box.left < b.box.left; });
  std::vector<TextLine> joined;
  for (TextLine& piece : pieces) {
    const auto beside = std::find_if(joined.begin(), joined.end(), [&](const TextLine& line) {
      const int overlap = std::min(line.box.bottom, piece.box.bottom) - std::max(line.box.top, piece.box.top);
      const int gap = piece.box.left - line.box.right;
      return overlap * 2 > std::min(height(line.box), height(piece.box)) && gap >= -2 &&
             gap <= kGutterHeights * std::max(wordHeight(line), wordHeight(piece));
    });
    if (beside == joined.end()) {
      joined.push_back(std::move(piece));
      continue;
    }
    beside->words.insert(beside->words.end(), piece.words.begin(), piece.words.end());
    beside->box = unite(beside->box, piece.box);
  }
  return joined;
}

bool stacked(const TextLine& above, const TextLine& below) {
  const int h = std::max(wordHeight(above), wordHeight(below));
  const bool close = below.box.top > above.box.top && below.box.top - above.box.bottom <= kStackedHeights * h;
  const bool aligned = std::abs(below.box.left - above.box.left) <= kAlignedHeights * h;
  return close && aligned;
}

struct Groups {
  std::vector<size_t> parent;
  explicit Groups(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
  size_t root(size_t i) { return parent[i] == i ? i : parent[i] = root(parent[i]); }
  void join(size_t a, size_t b) { parent[root(a)] = root(b); }
};

}  // namespace

std::vector<TextLine> inReadingOrder(const std::vector<TextLine>& lines) {
  std::vector<TextLine> pieces = joinedOnRows(cutAtGutters(lines));
  const size_t n = pieces.size();
  Groups blocks(n);
  for (size_t a = 0; a < n; ++a)
    for (size_t b = 0; b < n; ++b)
      if (stacked(pieces[a], pieces[b])) blocks.join(a, b);
  std::vector<PictureRect> block_box(n, PictureRect{0, 0, 0, 0});
  std::vector<bool> seen(n, false);
  for (size_t i = 0; i < n; ++i) {
    const size_t b = blocks.root(i);
    block_box[b] = seen[b] ? unite(block_box[b], pieces[i].box) : pieces[i].box;
    seen[b] = true;
  }
  // Blocks side by side (their heights overlap) form a row.
  Groups rows(n);
  for (size_t a = 0; a < n; ++a)
    for (size_t b = 0; b < n; ++b) {
      const PictureRect &x = block_box[blocks.root(a)], &y = block_box[blocks.root(b)];
      if (std::min(x.bottom, y.bottom) - std::max(x.top, y.top) > 0) rows.join(a, b);
    }
  // Blocks of a row one above the other (their widths overlap) form a column.
  Groups columns(n);
  for (size_t a = 0; a < n; ++a)
    for (size_t b = 0; b < n; ++b) {
      const PictureRect &x = block_box[blocks.root(a)], &y = block_box[blocks.root(b)];
      if (rows.root(a) == rows.root(b) && std::min(x.right, y.right) - std::max(x.left, y.left) > 0) columns.join(a, b);
    }
  std::vector<int> row_top(n, 1 << 30), column_left(n, 1 << 30);
  for (size_t i = 0; i < n; ++i) {
    row_top[rows.root(i)] = std::min(row_top[rows.root(i)], pieces[i].box.top);
    column_left[columns.root(i)] = std::min(column_left[columns.root(i)], pieces[i].box.left);
  }
  std::vector<size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  const auto key = [&](size_t i) {
    return std::make_tuple(row_top[rows.root(i)], column_left[columns.root(i)], block_box[blocks.root(i)].top,
                           blocks.root(i), pieces[i].box.top);
  };
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
  std::vector<TextLine> ordered;
  size_t previous_block = n;
  int block_number = -1;
  for (size_t i : order) {
    if (blocks.root(i) != previous_block) ++block_number, previous_block = blocks.root(i);
    ordered.push_back(pieces[i]);
    ordered.back().block = block_number;
  }
  return ordered;
}

}  // namespace zorva::propose
