// The mark that shows a learner where to click to take a role: a small speaker in a soft
// colour, so it is seen at once without drawing the eye from the text.
#include <algorithm>
#include <cstdint>

#include "tools/zorva-lesson/Picture.h"

namespace zorva::builder {
namespace {

constexpr const char* kSpeaker[] = {
    "...##...",
    "..###.#.",
    "#####..#",
    "#####..#",
    "#####..#",
    "..###.#.",
    "...##...",
};
constexpr int kMarkWidth = 8;
constexpr int kMarkHeight = 7;
constexpr uint8_t kInk[3] = {96, 112, 168};
constexpr uint8_t kFrame[3] = {196, 204, 230};
// Zorva draws its own marker of a chosen role into the area's right-most column.
constexpr int kKeptColumns = 2;

void paint(RgbaImage& image, int x, int y, const uint8_t (&colour)[3]) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  uint8_t* pixel = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
  std::copy_n(colour, 3, pixel);
  pixel[3] = 255;
}

}  // namespace

void drawRoleMark(RgbaImage& image, const PictureRect& area) {
  const int right = area.right - kKeptColumns;  // the frame's right column
  for (int x = area.left; x <= right; ++x) {
    paint(image, x, area.top, kFrame);
    paint(image, x, area.bottom - 1, kFrame);
  }
  for (int y = area.top; y < area.bottom; ++y) {
    paint(image, area.left, y, kFrame);
    paint(image, right, y, kFrame);
  }
  const int left = area.left + (right - area.left + 1 - kMarkWidth) / 2;
  const int top = area.top + (area.bottom - area.top - kMarkHeight) / 2;
  for (int row = 0; row < kMarkHeight; ++row) {
    for (int col = 0; col < kMarkWidth; ++col) {
      if (kSpeaker[row][col] == '#') paint(image, left + col, top + row, kInk);
    }
  }
}

}  // namespace zorva::builder
