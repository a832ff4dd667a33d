// Lines leave out their end point in every direction; Rectangle borders and FillRect areas
// leave out the right column and bottom row; everything is cut at the surface's edges.
#include "tests/support/PixelCanvas.h"

using namespace pixeltest;

namespace {

void frame(HDC dc) {
  MoveToEx(dc, 10, 100, nullptr);
  LineTo(dc, 200, 100);
  LineTo(dc, 200, 120);
  LineTo(dc, 10, 120);
  LineTo(dc, 10, 100);
}

Image expectedFrame(COLORREF c) {
  Image e(220, 140);
  e.fill(10, 100, 201, 101, c);
  e.fill(10, 120, 201, 121, c);
  e.fill(10, 100, 11, 121, c);
  e.fill(200, 100, 201, 121, c);
  return e;
}

}  // namespace

TEST(Lines, FrameThroughFourCornersPaintsBothEndColumnsAndRows) {
  Canvas c(220, 140);
  Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kBlue));
  frame(c.dc());
  EXPECT_TRUE(Matches(c, expectedFrame(kBlue)));
}

TEST(Lines, RectangleWithWhiteBrushPaintsTheSameBorderAndAWhiteInside) {
  Canvas c(220, 140);
  Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kRed));
  Selected brush(c.dc(), GetStockObject(WHITE_BRUSH), false);
  Rectangle(c.dc(), 10, 100, 201, 121);
  Image e = expectedFrame(kRed);
  e.fill(11, 101, 200, 120, kWhite);
  EXPECT_TRUE(Matches(c, e));
}

TEST(Lines, EightDirectionsLeaveOutTheEndPoint) {
  struct Row {
    const char* name;
    int dx, dy;
  } rows[] = {{"east", 1, 0},  {"west", -1, 0},  {"south", 0, 1},  {"north", 0, -1},
              {"south-east", 1, 1}, {"north-west", -1, -1}, {"south-west", -1, 1}, {"north-east", 1, -1}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Canvas c(40, 40);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kGreen));
    MoveToEx(c.dc(), 20, 20, nullptr);
    LineTo(c.dc(), 20 + 10 * r.dx, 20 + 10 * r.dy);
    Image e(40, 40);
    for (int i = 0; i < 10; ++i) e.set(20 + i * r.dx, 20 + i * r.dy, kGreen);
    EXPECT_TRUE(Matches(c, e));
  }
}

TEST(Lines, ShallowLineStepsOnceAndIsSymmetricInLength) {
  Canvas c(20, 10);
  Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kBlue));
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 10, 1);
  Image e(20, 10);
  for (int x = 0; x < 5; ++x) e.set(x, 0, kBlue);
  for (int x = 5; x < 10; ++x) e.set(x, 1, kBlue);
  EXPECT_TRUE(Matches(c, e));
}

TEST(Lines, ClippedAtEveryEdgeOfTheSurface) {
  struct Row {
    const char* name;
    int x0, y0, x1, y1;
    int l, t, r, b;  // expected painted block
  } rows[] = {
      {"left", -5, 3, 4, 3, 0, 3, 4, 4},     {"right", 5, 3, 15, 3, 5, 3, 10, 4},
      {"top", 3, -5, 3, 4, 3, 0, 4, 4},      {"bottom", 3, 5, 3, 15, 3, 5, 4, 10},
      {"far away", -100000, 6, 100000, 6, 0, 6, 10, 7},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Canvas c(10, 10);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kRed));
    MoveToEx(c.dc(), r.x0, r.y0, nullptr);
    LineTo(c.dc(), r.x1, r.y1);
    Image e(10, 10);
    e.fill(r.l, r.t, r.r, r.b, kRed);
    EXPECT_TRUE(Matches(c, e));
  }
}

TEST(Lines, NullPenMovesThePositionButPaintsNothing) {
  Canvas c(10, 10);
  Selected pen(c.dc(), GetStockObject(NULL_PEN), false);
  MoveToEx(c.dc(), 1, 1, nullptr);
  LineTo(c.dc(), 8, 1);
  POINT at{};
  MoveToEx(c.dc(), 0, 0, &at);
  EXPECT_EQ(8, at.x);
  EXPECT_TRUE(Matches(c, Image(10, 10)));
}

TEST(Rectangles, FillRectExcludesRightAndBottom) {
  Canvas c(10, 10);
  HBRUSH b = CreateSolidBrush(kBlue);
  RECT r{2, 3, 6, 8};
  EXPECT_EQ(1, FillRect(c.dc(), &r, b));
  DeleteObject(b);
  Image e(10, 10);
  e.fill(2, 3, 6, 8, kBlue);
  EXPECT_TRUE(Matches(c, e));
}

TEST(Rectangles, EmptyOrInvertedFillRectPaintsNothing) {
  Canvas c(10, 10);
  HBRUSH b = CreateSolidBrush(kBlue);
  RECT rects[] = {{4, 4, 4, 8}, {4, 4, 8, 4}, {6, 2, 3, 8}};
  for (RECT& r : rects) FillRect(c.dc(), &r, b);
  DeleteObject(b);
  EXPECT_TRUE(Matches(c, Image(10, 10)));
}

TEST(Rectangles, SystemColourIndexAsBrush) {
  Canvas c(4, 4);
  RECT r{0, 0, 2, 2};
  FillRect(c.dc(), &r, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  Image e(4, 4);
  e.fill(0, 0, 2, 2, kWhite);
  EXPECT_TRUE(Matches(c, e));
  EXPECT_EQ(kWhite, GetSysColor(COLOR_WINDOW));
}

TEST(Rectangles, ZeroWidthAndOneByOne) {
  Canvas c(10, 10);
  Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kRed));
  Selected brush(c.dc(), CreateSolidBrush(kBlue));
  Rectangle(c.dc(), 2, 2, 2, 8);  // zero width: nothing
  Rectangle(c.dc(), 5, 5, 6, 6);  // 1x1: a single border pixel
  Rectangle(c.dc(), 7, 1, 9, 3);  // 2x2: border only, no inside
  Image e(10, 10);
  e.set(5, 5, kRed);
  e.fill(7, 1, 9, 3, kRed);
  EXPECT_TRUE(Matches(c, e));
}

TEST(Rectangles, NullPenFillsOnePixelLessEachWay) {
  Canvas c(10, 10);
  Selected pen(c.dc(), GetStockObject(NULL_PEN), false);
  Selected brush(c.dc(), CreateSolidBrush(kGreen));
  Rectangle(c.dc(), 1, 1, 5, 6);
  Image e(10, 10);
  e.fill(1, 1, 4, 5, kGreen);
  EXPECT_TRUE(Matches(c, e));
}

TEST(Rectangles, FrameRectPaintsTheBorderInside) {
  Canvas c(10, 10);
  HBRUSH b = CreateSolidBrush(kRed);
  RECT r{1, 2, 5, 7};
  FrameRect(c.dc(), &r, b);
  DeleteObject(b);
  Image e(10, 10);
  e.fill(1, 2, 5, 7, kRed);
  e.fill(2, 3, 4, 6, kSentinel);
  EXPECT_TRUE(Matches(c, e));
}

TEST(Rectangles, ClippedAtTheSurfaceEdges) {
  Canvas c(10, 10);
  Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kRed));
  Selected brush(c.dc(), CreateSolidBrush(kBlue));
  Rectangle(c.dc(), -3, -3, 4, 4);
  Rectangle(c.dc(), 7, 7, 20, 20);
  Image e(10, 10);
  e.fill(0, 0, 3, 3, kBlue);
  e.fill(3, 0, 4, 4, kRed);
  e.fill(0, 3, 4, 4, kRed);
  e.fill(7, 7, 10, 10, kBlue);
  e.fill(7, 7, 10, 8, kRed);
  e.fill(7, 7, 8, 10, kRed);
  EXPECT_TRUE(Matches(c, e));
}
