// A memory DC over a bitmap prefilled with a sentinel colour, and an expected image built in
// the test; comparing checks every pixel, so a stray one anywhere fails.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <sstream>
#include <vector>

namespace gditest {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

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
  Canvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(dc_, width, height);
    old_ = SelectObject(dc_, bitmap_);
    clear(kSentinel);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  void clear(COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    RECT r{0, 0, width_, height_};
    FillRect(dc_, &r, b);
    DeleteObject(b);
  }
  HDC dc() const { return dc_; }
  COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
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
};

// Every pixel equal; on mismatch the first few differing pixels are named.
inline ::testing::AssertionResult Matches(const Canvas& c, const Image& e) {
  std::ostringstream out;
  int wrong = 0;
  for (int y = 0; y < e.height(); ++y)
    for (int x = 0; x < e.width(); ++x)
      if (c.at(x, y) != e.at(x, y) && ++wrong <= 5)
        out << " (" << x << "," << y << ") is 0x" << std::hex << c.at(x, y) << " not 0x" << e.at(x, y)
            << std::dec;
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " pixels differ:" << out.str();
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

}  // namespace gditest
