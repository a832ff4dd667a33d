// A memory surface for drawing elements on, prefilled with a sentinel colour so a stray pixel
// anywhere shows, and an expected image to compare the whole surface with.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"

namespace elementtest {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class Surface {
 public:
  // The test installs the headless desktop first (installing again would drop what it recorded).
  Surface(int width, int height) : width_(width), height_(height) {
    dc.CreateCompatibleDC(NULL);
    bitmap_.CreateBitmap(width, height, 1, 32, NULL);
    old_bitmap_ = dc.SelectObject(&bitmap_);
    fill(CRect(0, 0, width, height), kSentinel);
  }
  ~Surface() { dc.SelectObject(old_bitmap_); }

  void fill(const CRect& rect, COLORREF colour) {
    CBrush brush;
    brush.CreateSolidBrush(colour);
    dc.FillRect(&rect, &brush);
  }
  COLORREF pixel(int x, int y) { return dc.GetPixel(x, y) & 0xFFFFFF; }
  std::vector<COLORREF> pixels() {
    std::vector<COLORREF> out;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) out.push_back(pixel(x, y));
    return out;
  }
  int width() const { return width_; }
  int height() const { return height_; }

  CDC dc;

 private:
  int width_;
  int height_;
  CBitmap bitmap_;
  CBitmap* old_bitmap_ = nullptr;
};

// The expected picture of a surface: starts as all sentinel; tests paint what the design fixes.
class Expected {
 public:
  Expected(int width, int height) : width_(width), height_(height), px_(width * height, kSentinel) {}
  void fill(int left, int top, int right, int bottom, COLORREF c) {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
      for (int x = std::max(left, 0); x < std::min(right, width_); ++x) px_[y * width_ + x] = c;
  }
  void set(int x, int y, COLORREF c) { fill(x, y, x + 1, y + 1, c); }
  COLORREF at(int x, int y) const { return px_[y * width_ + x]; }

 private:
  int width_;
  int height_;
  std::vector<COLORREF> px_;
};

// Compares the whole surface; inside `text` (if not empty) a pixel may be the background or
// the text colour, and at least one must be the text colour.
inline ::testing::AssertionResult SurfaceMatches(Surface& s, const Expected& e,
                                                 const CRect& text = CRect(),
                                                 COLORREF text_colour = 0,
                                                 COLORREF text_back = kWhite) {
  int text_pixels = 0;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      const COLORREF got = s.pixel(x, y);
      const bool in_text = !::IsRectEmpty(&text) && ::PtInRect(&text, CPoint(x, y));
      if (in_text && (got == text_colour || got == text_back)) {
        if (got == text_colour) ++text_pixels;
        continue;
      }
      if (!in_text && got == e.at(x, y)) continue;
      std::ostringstream msg;
      msg << "pixel (" << x << "," << y << ") is 0x" << std::hex << got << ", expected 0x"
          << (in_text ? text_colour : e.at(x, y)) << (in_text ? " (text)" : "");
      return ::testing::AssertionFailure() << msg.str();
    }
  }
  if (!::IsRectEmpty(&text) && text_pixels == 0) {
    return ::testing::AssertionFailure() << "no text pixel in the text rectangle";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace elementtest
