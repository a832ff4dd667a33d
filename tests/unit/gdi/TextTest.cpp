// Text: the stock font's line height, DrawText placement, alignment, clipping and colours.
#include "tests/support/PixelCanvas.h"
#include "platform/win32/gdi/TextRenderer.h"

using namespace pixeltest;

namespace {

struct Found {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int ink = 0;
  bool onlyTextOrBack = true;
};

// Scans the whole surface: ink and background must lie inside `box`, sentinel outside.
Found scan(const Canvas& c, int w, int h, const RECT& box, COLORREF ink, COLORREF back) {
  Found f;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF p = c.at(x, y);
      const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      if (p == kSentinel) continue;
      if (!inside || (p != ink && p != back)) f.onlyTextOrBack = false;
      if (p == ink) {
        ++f.ink;
        f.left = std::min(f.left, x);
        f.right = std::max(f.right, x + 1);
        f.top = std::min(f.top, y);
        f.bottom = std::max(f.bottom, y + 1);
      }
    }
  return f;
}

void useAnsiVar(HDC dc) { SelectObject(dc, GetStockObject(ANSI_VAR_FONT)); }

}  // namespace

TEST(Fonts, StockVariableFontIsThirteenPixelsHigh) {
  Canvas c(4, 4);
  useAnsiVar(c.dc());
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(c.dc(), &tm));
  EXPECT_EQ(13, tm.tmHeight);
  EXPECT_EQ(13, tm.tmAscent + tm.tmDescent);
  EXPECT_GT(tm.tmAveCharWidth, 2);
  SIZE narrow{}, wide{};
  GetTextExtentPoint32A(c.dc(), "iiii", 4, &narrow);
  GetTextExtentPoint32A(c.dc(), "WWWW", 4, &wide);
  EXPECT_EQ(13, narrow.cy);
  EXPECT_LT(narrow.cx, wide.cx);  // proportional
  HFONT dialog = zorva::platform::dialogFont();
  EXPECT_EQ(13, zorva::platform::fontLineHeight(dialog));
  EXPECT_EQ(tm.tmAveCharWidth, zorva::platform::fontAverageCharWidth(dialog));
}

TEST(DrawText, OpaqueCellsInBackgroundAndInkInsideTheRectangle) {
  Canvas c(200, 40);
  useAnsiVar(c.dc());
  SetTextColor(c.dc(), kBlue);
  SetBkColor(c.dc(), kWhite);
  RECT r{10, 5, 190, 30};
  SIZE ext{};
  GetTextExtentPoint32A(c.dc(), "Lesson 1", 8, &ext);
  EXPECT_EQ(13, DrawTextA(c.dc(), "Lesson 1", -1, &r, 0));
  const RECT cells{10, 5, 10 + ext.cx, 18};
  Found f = scan(c, 200, 40, cells, kBlue, kWhite);
  EXPECT_TRUE(f.onlyTextOrBack);
  EXPECT_GT(f.ink, 10);
  // Every cell pixel is painted: ink or background, none left as sentinel.
  for (int y = cells.top; y < cells.bottom; ++y)
    for (int x = cells.left; x < cells.right; ++x) ASSERT_NE(kSentinel, c.at(x, y)) << x << "," << y;
}

TEST(DrawText, TransparentModeLeavesTheCells) {
  Canvas c(100, 20);
  useAnsiVar(c.dc());
  SetBkMode(c.dc(), TRANSPARENT);
  EXPECT_EQ(TRANSPARENT, GetBkMode(c.dc()));
  SetTextColor(c.dc(), kRed);
  RECT r{0, 0, 100, 20};
  DrawTextA(c.dc(), "Hello", -1, &r, 0);
  Found f = scan(c, 100, 20, RECT{0, 0, 100, 13}, kRed, kRed);
  EXPECT_TRUE(f.onlyTextOrBack);
  EXPECT_GT(f.ink, 5);
}

TEST(DrawText, CentredTextSitsInTheMiddle) {
  Canvas c(200, 20);
  useAnsiVar(c.dc());
  SetTextColor(c.dc(), kBlue);
  SIZE ext{};
  GetTextExtentPoint32A(c.dc(), "Play", 4, &ext);
  RECT r{20, 0, 180, 20};
  DrawTextA(c.dc(), "Play", -1, &r, DT_CENTER);
  const int left = (20 + 180 - ext.cx) / 2;
  Found f = scan(c, 200, 20, RECT{left, 0, left + ext.cx, 13}, kBlue, kWhite);
  EXPECT_TRUE(f.onlyTextOrBack);
  EXPECT_EQ(kWhite, c.at(left, 0));  // the first cell column is background
  EXPECT_EQ(kSentinel, c.at(left - 1, 0));
  EXPECT_EQ(kSentinel, c.at(left + ext.cx, 0));
}

TEST(DrawText, LineBreaksGiveLinesThirteenApart) {
  Canvas c(60, 40);
  useAnsiVar(c.dc());
  SetTextColor(c.dc(), kBlue);
  RECT r{0, 0, 60, 40};
  EXPECT_EQ(26, DrawTextA(c.dc(), "a\nb", -1, &r, 0));
  SIZE a{}, b{};
  GetTextExtentPoint32A(c.dc(), "a", 1, &a);
  GetTextExtentPoint32A(c.dc(), "b", 1, &b);
  Found top = scan(c, 60, 13, RECT{0, 0, a.cx, 13}, kBlue, kWhite);
  EXPECT_TRUE(top.onlyTextOrBack);
  EXPECT_GT(top.ink, 0);
  for (int y = 13; y < 26; ++y)
    for (int x = 0; x < b.cx; ++x) EXPECT_NE(kSentinel, c.at(x, y));
  EXPECT_EQ(kSentinel, c.at(0, 26));
  RECT calc{0, 0, 0, 0};
  DrawTextA(c.dc(), "a\r\nb", -1, &calc, DT_CALCRECT);
  EXPECT_EQ(26, calc.bottom);
  EXPECT_EQ(std::max(a.cx, b.cx), calc.right);
}

TEST(DrawText, ClippedToTheRectangleUnlessNoClip) {
  Canvas c(100, 30);
  useAnsiVar(c.dc());
  SetTextColor(c.dc(), kBlue);
  RECT r{10, 5, 20, 10};
  DrawTextA(c.dc(), "WWWWW", -1, &r, 0);
  Found f = scan(c, 100, 30, r, kBlue, kWhite);
  EXPECT_TRUE(f.onlyTextOrBack);
  Canvas d(100, 30);
  useAnsiVar(d.dc());
  DrawTextA(d.dc(), "WWWWW", -1, &r, DT_NOCLIP);
  EXPECT_NE(kSentinel, d.at(25, 12));
}

TEST(DrawText, VerticalCentreOnASingleLine) {
  Canvas c(60, 40);
  useAnsiVar(c.dc());
  RECT r{0, 0, 60, 33};
  EXPECT_EQ(23, DrawTextA(c.dc(), "x", -1, &r, DT_SINGLELINE | DT_VCENTER));
  EXPECT_EQ(kSentinel, c.at(0, 9));
  EXPECT_NE(kSentinel, c.at(0, 10));
  EXPECT_NE(kSentinel, c.at(0, 22));
  EXPECT_EQ(kSentinel, c.at(0, 23));
}

TEST(DrawText, UnsupportedFlagsAreRefused) {
  Canvas c(60, 20);
  RECT r{0, 0, 60, 20};
  EXPECT_EQ(0, DrawTextA(c.dc(), "a b c", -1, &r, DT_WORDBREAK));
  EXPECT_TRUE(Matches(c, Image(60, 20)));
}

TEST(DrawText, PrefixIsRemovedUnlessNoPrefix) {
  Canvas c(100, 20);
  useAnsiVar(c.dc());
  RECT calc{0, 0, 0, 0};
  DrawTextA(c.dc(), "&File", -1, &calc, DT_CALCRECT);
  SIZE plain{};
  GetTextExtentPoint32A(c.dc(), "File", 4, &plain);
  EXPECT_EQ(plain.cx, calc.right);
  RECT raw{0, 0, 0, 0};
  DrawTextA(c.dc(), "&File", -1, &raw, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_GT(raw.right, calc.right);
}
