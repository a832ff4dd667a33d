// PatBlt fills, BitBlt copies between and within DCs, cut to both surfaces.
#include "tests/support/PixelCanvas.h"

using namespace pixeltest;

namespace {

// Each pixel a distinct colour, so a shifted or swapped copy shows.
void paintGradient(Canvas& c, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixel(c.dc(), x, y, RGB(x * 10, y * 10, 100 + x + y));
}

COLORREF gradient(int x, int y) { return RGB(x * 10, y * 10, 100 + x + y); }

}  // namespace

TEST(PatBlt, WhitenessBlacknessAndPatternCopy) {
  Canvas c(12, 6);
  EXPECT_TRUE(PatBlt(c.dc(), 0, 0, 4, 3, WHITENESS));
  EXPECT_TRUE(PatBlt(c.dc(), 4, 0, 4, 3, BLACKNESS));
  Selected brush(c.dc(), CreateSolidBrush(kBlue));
  EXPECT_TRUE(PatBlt(c.dc(), 12, 6, -4, -3, PATCOPY));  // negative sizes run backwards
  Image e(12, 6);
  e.fill(0, 0, 4, 3, kWhite);
  e.fill(4, 0, 8, 3, 0);
  e.fill(8, 3, 12, 6, kBlue);
  EXPECT_TRUE(Matches(c, e));
}

TEST(PatBlt, UnknownRasterOperationIsRefused) {
  Canvas c(4, 4);
  EXPECT_FALSE(PatBlt(c.dc(), 0, 0, 4, 4, 0x00123456));
  EXPECT_TRUE(Matches(c, Image(4, 4)));
}

TEST(BitBlt, RoundTripThroughAnotherDC) {
  Canvas screen(20, 20);
  paintGradient(screen, 20, 20);
  const Image before = screen.snapshot();
  Canvas copy(6, 5);
  EXPECT_TRUE(BitBlt(copy.dc(), 0, 0, 6, 5, screen.dc(), 7, 8, SRCCOPY));
  Image e(6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) e.set(x, y, gradient(7 + x, 8 + y));
  EXPECT_TRUE(Matches(copy, e));
  PatBlt(screen.dc(), 7, 8, 6, 5, WHITENESS);
  EXPECT_TRUE(BitBlt(screen.dc(), 7, 8, 6, 5, copy.dc(), 0, 0, SRCCOPY));
  EXPECT_TRUE(Matches(screen, before));
}

TEST(BitBlt, NegativeSourceOffsetCopiesOnlyWhatExists) {
  Canvas src(10, 10);
  paintGradient(src, 10, 10);
  Canvas dst(10, 10);
  BitBlt(dst.dc(), 2, 2, 5, 5, src.dc(), -2, -1, SRCCOPY);
  Image e(10, 10);
  for (int y = 3; y < 7; ++y)
    for (int x = 4; x < 7; ++x) e.set(x, y, gradient(x - 4, y - 3));
  EXPECT_TRUE(Matches(dst, e));
}

TEST(BitBlt, DestinationClippedAtEveryEdge) {
  Canvas src(10, 10);
  paintGradient(src, 10, 10);
  Canvas dst(6, 6);
  BitBlt(dst.dc(), -2, -3, 10, 10, src.dc(), 0, 0, SRCCOPY);
  Image e(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) e.set(x, y, gradient(x + 2, y + 3));
  EXPECT_TRUE(Matches(dst, e));
}

TEST(BitBlt, OverlappingCopyWithinOneDC) {
  Canvas c(10, 4);
  paintGradient(c, 10, 4);
  BitBlt(c.dc(), 2, 0, 8, 4, c.dc(), 0, 0, SRCCOPY);
  Image e(10, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 10; ++x) e.set(x, y, x < 2 ? gradient(x, y) : gradient(x - 2, y));
  EXPECT_TRUE(Matches(c, e));
}

TEST(BitBlt, MissingSourceDCIsRefused) {
  Canvas c(4, 4);
  EXPECT_FALSE(BitBlt(c.dc(), 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  EXPECT_TRUE(Matches(c, Image(4, 4)));
}
