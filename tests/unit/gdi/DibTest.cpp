// SetDIBitsToDevice: row order, stride padding, the colour table's channels, clipping, and
// the descriptions that are refused.
#include <cstring>
#include <vector>

#include "tests/support/PixelCanvas.h"

using namespace pixeltest;

namespace {

struct Dib8 {
  BITMAPINFOHEADER header{};
  RGBQUAD colours[256]{};
  std::vector<BYTE> bits;
  int stride = 0;

  Dib8(int w, int h, bool top_down) {
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = w;
    header.biHeight = top_down ? -h : h;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    stride = (w + 3) / 4 * 4;
    bits.resize(static_cast<size_t>(stride) * h);
    for (size_t i = 0; i < bits.size(); ++i) bits[i] = static_cast<BYTE>(i);  // data[i] = i
    for (int i = 0; i < 256; ++i) colours[i] = RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i / 2), 0};
  }
  const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(&header); }
  // The colour a byte of the table stands for: blue i, green 255-i, red i/2.
  static COLORREF colour(BYTE i) { return RGB(i / 2, 255 - i, i); }
  BYTE at(int x, int file_row) const { return bits[static_cast<size_t>(file_row) * stride + x]; }
};

int draw(Canvas& c, const Dib8& d, int x, int y, int w, int h) {
  return SetDIBitsToDevice(c.dc(), x, y, w, h, 0, 0, 0, h, d.bits.data(), d.info(), DIB_RGB_COLORS);
}

}  // namespace

TEST(SetDIBits, TopDownPlacesRowZeroAtTheTopWithOddWidth) {
  Canvas c(12, 8);
  Dib8 d(5, 3, true);  // stride 8: padding would shear a wrong reader
  EXPECT_EQ(3, draw(c, d, 2, 1, 5, 3));
  Image e(12, 8);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) e.set(2 + x, 1 + y, Dib8::colour(d.at(x, y)));
  EXPECT_TRUE(Matches(c, e));
}

TEST(SetDIBits, BottomUpPlacesRowZeroAtTheBottom) {
  Canvas c(12, 8);
  Dib8 d(5, 3, false);
  EXPECT_EQ(3, draw(c, d, 2, 1, 5, 3));
  Image e(12, 8);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) e.set(2 + x, 1 + y, Dib8::colour(d.at(x, 2 - y)));
  EXPECT_TRUE(Matches(c, e));
}

TEST(SetDIBits, PictureAboveTheTopLosesItsTopRows) {
  Canvas c(140, 40);
  Dib8 d(21, 50, true);
  draw(c, d, 110, -20, 21, 50);
  Image e(140, 40);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30 && 110 + x < 140 && x < 21; ++x) e.set(110 + x, y, Dib8::colour(d.at(x, y + 20)));
  EXPECT_TRUE(Matches(c, e));
}

TEST(SetDIBits, TwentyFourBitsKeepRedAndBlueApart) {
  Canvas c(4, 2);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  const BYTE bits[12] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0};  // blue, green, red
  EXPECT_EQ(1, SetDIBitsToDevice(c.dc(), 0, 0, 3, 1, 0, 0, 0, 1, bits, &info, DIB_RGB_COLORS));
  Image e(4, 2);
  e.set(0, 0, RGB(30, 20, 10));
  e.set(1, 0, RGB(60, 50, 40));
  e.set(2, 0, RGB(90, 80, 70));
  EXPECT_TRUE(Matches(c, e));
}

TEST(SetDIBits, RejectedDescriptionsDrawNothing) {
  struct Row {
    const char* name;
    void (*spoil)(Dib8&);
    bool null_bits;
  } rows[] = {
      {"two planes", [](Dib8& d) { d.header.biPlanes = 2; }, false},
      {"bit count 7", [](Dib8& d) { d.header.biBitCount = 7; }, false},
      {"zero width", [](Dib8& d) { d.header.biWidth = 0; }, false},
      {"zero height", [](Dib8& d) { d.header.biHeight = 0; }, false},
      {"compressed", [](Dib8& d) { d.header.biCompression = BI_RLE8; }, false},
      {"no bits", [](Dib8&) {}, true},
      {"image size one row short of the rows declared", [](Dib8& d) { d.header.biSizeImage = 12; }, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Canvas c(8, 8);
    Dib8 d(4, 4, true);
    r.spoil(d);
    EXPECT_EQ(0, SetDIBitsToDevice(c.dc(), 0, 0, 4, 4, 0, 0, 0, 4, r.null_bits ? nullptr : d.bits.data(),
                                   d.info(), DIB_RGB_COLORS));
    EXPECT_TRUE(Matches(c, Image(8, 8)));
  }
}

TEST(SetDIBits, PaletteColoursAreRefused) {
  Canvas c(8, 8);
  Dib8 d(4, 4, true);
  EXPECT_EQ(0, SetDIBitsToDevice(c.dc(), 0, 0, 4, 4, 0, 0, 0, 4, d.bits.data(), d.info(), DIB_PAL_COLORS));
  EXPECT_TRUE(Matches(c, Image(8, 8)));
}
