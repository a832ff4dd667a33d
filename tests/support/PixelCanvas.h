// A memory DC over a bitmap prefilled with a sentinel colour, and an expected image built in
// the test; comparing checks every pixel, so a stray one anywhere fails. The canvas is reached
// through its HDC (Win32 tests) or its CDC (tests of the program's elements).
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace pixeltest {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// The expected picture: starts as all sentinel; tests paint what the design fixes.
class Image {
 public:
  Image(int width, int height, COLORREF fill = kSentinel)
      : width_(width), height_(height), px_(static_cast<size_t>(width) * height, fill) {}
  void fill(int l, int t, int r, int b, COLORREF c) {
    for (int y = std::max(t, 0); y < std::min(b, height_); ++y)
      for (int x = std::max(l, 0); x < std::min(r, width_); ++x) px_[y * width_ + x] = c;
  }
  void set(int x, int y, COLORREF c) { fill(x, y, x + 1, y + 1, c); }
  COLORREF at(int x, int y) const { return px_[y * width_ + x]; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  std::vector<COLORREF> px_;
};

class Canvas {
 public:
  // Tests of elements install the headless desktop first (installing again would drop what it
  // recorded).
  Canvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(dc_, width, height);
    old_ = SelectObject(dc_, bitmap_);
    clear(kSentinel);
    cdc_.Attach(dc_);
  }
  ~Canvas() {
    cdc_.Detach();
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void clear(COLORREF c) { fill(RECT{0, 0, width_, height_}, c); }
  void fill(const RECT& r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc_, &r, b);
    DeleteObject(b);
  }
  HDC dc() const { return dc_; }
  CDC& cdc() { return cdc_; }
  COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
  int width() const { return width_; }
  int height() const { return height_; }
  Image snapshot() const {
    Image img(width_, height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) img.set(x, y, at(x, y));
    return img;
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  CDC cdc_;
};

// Every pixel equal; on mismatch the first few differing pixels are named. Inside `text` (if
// not empty) a pixel may be the background or the text colour, and one at least must be the
// text colour, since which pixels a glyph covers is the font's business.
inline ::testing::AssertionResult Matches(const Canvas& c, const Image& e, const RECT& text = {},
                                          COLORREF text_colour = 0, COLORREF text_back = kWhite) {
  std::ostringstream out;
  int wrong = 0;
  int text_pixels = 0;
  for (int y = 0; y < e.height(); ++y)
    for (int x = 0; x < e.width(); ++x) {
      const COLORREF got = c.at(x, y);
      const bool in_text = !IsRectEmpty(&text) && PtInRect(&text, POINT{x, y});
      if (in_text && (got == text_colour || got == text_back)) {
        text_pixels += got == text_colour;
        continue;
      }
      if (!in_text && got == e.at(x, y)) continue;
      if (++wrong <= 5)
        out << " (" << x << "," << y << ") is 0x" << std::hex << got << " not 0x"
            << (in_text ? text_colour : e.at(x, y)) << std::dec << (in_text ? " (text)" : "");
    }
  if (wrong > 0) return ::testing::AssertionFailure() << wrong << " pixels differ:" << out.str();
  if (!IsRectEmpty(&text) && text_pixels == 0)
    return ::testing::AssertionFailure() << "no text pixel in the text rectangle";
  return ::testing::AssertionSuccess();
}

// RAII pen/brush selection for tests.
struct Selected {
  Selected(HDC dc, HGDIOBJ obj, bool own = true) : dc(dc), obj(obj), own(own), old(SelectObject(dc, obj)) {}
  ~Selected() {
    SelectObject(dc, old);
    if (own) DeleteObject(obj);
  }
  HDC dc;
  HGDIOBJ obj;
  bool own;
  HGDIOBJ old;
};

}  // namespace pixeltest
