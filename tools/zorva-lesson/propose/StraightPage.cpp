#include "tools/zorva-lesson/propose/StraightPage.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace zorva::propose {
namespace {

constexpr float kLeastTurnDegrees = 0.2f;  // less turns a line by under a pixel across a column
constexpr float kLeastConfidence = 2.5f;   // Leptonica's measure; below it the lines are too few to judge
constexpr int kInkLevel = 130;             // darker than this, on evened paper, is surely ink ...
constexpr int kInkEdgeLevel = 150;         // ... and this, a blurred stroke's edge
constexpr int kPaperLevel = 200;           // where Leptonica's evening puts the paper

struct PixDeleter {
  void operator()(PIX* pix) const { pixDestroy(&pix); }
};
using PixPtr = std::unique_ptr<PIX, PixDeleter>;

PixPtr greyOf(const builder::RgbaImage& image) {
  PixPtr grey(pixCreate(image.width, image.height, 8));
  l_uint32* data = pixGetData(grey.get());
  const int wpl = pixGetWpl(grey.get());
  for (int y = 0; y < image.height; ++y) {
    l_uint32* line = data + static_cast<ptrdiff_t>(y) * wpl;
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
      SET_DATA_BYTE(line, x, (p[0] * 3 + p[1] * 6 + p[2]) / 10);
    }
  }
  return grey;
}

builder::RgbaImage pictureOf(PIX* grey) {
  builder::RgbaImage image;
  image.width = static_cast<int>(pixGetWidth(grey));
  image.height = static_cast<int>(pixGetHeight(grey));
  image.rgba.resize(static_cast<size_t>(image.width) * image.height * 4, 255);
  const l_uint32* data = pixGetData(grey);
  const int wpl = pixGetWpl(grey);
  for (int y = 0; y < image.height; ++y) {
    const l_uint32* line = data + static_cast<ptrdiff_t>(y) * wpl;
    for (int x = 0; x < image.width; ++x) {
      const int level = std::min(255, static_cast<int>(GET_DATA_BYTE(line, x)) * 255 / kPaperLevel);
      uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
      p[0] = p[1] = p[2] = static_cast<uint8_t>(level);
    }
  }
  return image;
}

std::vector<PictureRect> piecesOf(PIX* ink) {
  std::vector<PictureRect> pieces;
  BOXA* boxes = pixConnCompBB(ink, 8);
  if (boxes == nullptr) return pieces;
  for (l_int32 i = 0; i < boxaGetCount(boxes); ++i) {
    l_int32 x = 0, y = 0, w = 0, h = 0;
    if (boxaGetBoxGeometry(boxes, i, &x, &y, &w, &h) == 0) pieces.push_back(PictureRect{x, y, x + w, y + h});
  }
  boxaDestroy(&boxes);
  return pieces;
}

}  // namespace

PictureRect inkWithin(const StraightPage& page, const PictureRect& box) {
  const auto ink = [&](auto holds) {
    std::optional<PictureRect> all;
    for (const PictureRect& piece : page.ink_pieces)
      if (holds(piece)) all = all ? unite(*all, piece) : piece;
    return all;
  };
  auto found = ink([&](const PictureRect& piece) {
    const int x = (piece.left + piece.right) / 2, y = (piece.top + piece.bottom) / 2;
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
  });
  // A box too narrow for its letter ("a" given a sliver of itself) holds no piece's middle.
  if (!found) found = ink([&](const PictureRect& piece) {
    return piece.left < box.right && piece.right > box.left && piece.top < box.bottom && piece.bottom > box.top;
  });
  return found ? PictureRect{std::max(box.left, found->left), std::max(box.top, found->top),
                             std::min(box.right, found->right), std::min(box.bottom, found->bottom)}
               : box;
}

PictureRect StraightPage::onGiven(const PictureRect& straight) const {
  if (turn_degrees == 0) return straight;
  // Leptonica turns about the picture's middle; turning back is the same turn the other way.
  const double angle = -turn_degrees * M_PI / 180, cx = picture.width / 2, cy = picture.height / 2;
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  for (const int x : {straight.left, straight.right})
    for (const int y : {straight.top, straight.bottom}) {
      const double gx = cx + std::cos(angle) * (x - cx) - std::sin(angle) * (y - cy);
      const double gy = cy + std::sin(angle) * (x - cx) + std::cos(angle) * (y - cy);
      left = std::min(left, gx), right = std::max(right, gx), top = std::min(top, gy), bottom = std::max(bottom, gy);
    }
  return PictureRect{std::max(0, static_cast<int>(std::lround(left))), std::max(0, static_cast<int>(std::lround(top))),
                     std::min(picture.width, static_cast<int>(std::lround(right))),
                     std::min(picture.height, static_cast<int>(std::lround(bottom)))};
}

PictureRect StraightPage::onGiven(const std::vector<PictureRect>& words) const {
  if (words.empty()) return PictureRect{0, 0, 0, 0};
  const auto sameLine = [](const PictureRect& a, const PictureRect& b) {
    return std::min(a.bottom, b.bottom) - std::max(a.top, b.top) > (b.bottom - b.top) / 2;
  };
  PictureRect line = words.front();
  std::optional<PictureRect> all;
  const auto add = [&](const PictureRect& piece) { all = all ? unite(*all, onGiven(piece)) : onGiven(piece); };
  for (size_t i = 1; i < words.size(); ++i) {
    if (sameLine(line, words[i])) {
      line = unite(line, words[i]);
    } else {
      add(line);
      line = words[i];
    }
  }
  add(line);
  return *all;
}

StraightPage straightened(const builder::RgbaImage& given) {
  StraightPage page;
  const PixPtr grey = greyOf(given);
  PixPtr even(pixBackgroundNormSimple(grey.get(), nullptr, nullptr));
  if (!even) even.reset(pixCopy(nullptr, grey.get()));
  const PixPtr ink(pixThresholdToBinary(even.get(), kInkLevel));
  l_float32 angle = 0, confidence = 0;
  if (ink && pixFindSkew(ink.get(), &angle, &confidence) == 0 && confidence >= kLeastConfidence &&
      std::abs(angle) >= kLeastTurnDegrees) {
    PixPtr level(pixRotate(even.get(), angle * static_cast<float>(M_PI / 180), L_ROTATE_AREA_MAP, L_BRING_IN_WHITE,
                           0, 0));
    if (level) {
      page.turn_degrees = angle;
      even = std::move(level);
    }
  }
  page.picture = pictureOf(even.get());
  const PixPtr level_ink(pixThresholdToBinary(even.get(), kInkEdgeLevel));
  if (level_ink) page.ink_pieces = piecesOf(level_ink.get());
  return page;
}

}  // namespace zorva::propose
