#include <gtest/gtest.h>

#include <vector>

#include "core/AfxCore.h"

namespace {
bool same(const RECT& r, LONG l, LONG t, LONG rt, LONG b) {
  return r.left == l && r.top == t && r.right == rt && r.bottom == b;
}
}  // namespace

TEST(PtInRect, HoldsLeftAndTopEdgesAndExcludesRightAndBottom) {
  RECT r{10, 100, 200, 120};
  struct Row {
    const char* where;
    POINT p;
    BOOL in;
  };
  const std::vector<Row> rows = {
      {"top-left corner", {10, 100}, TRUE},     {"inside", {50, 110}, TRUE},
      {"last column", {199, 110}, TRUE},        {"last row", {50, 119}, TRUE},
      {"bottom-right inner", {199, 119}, TRUE}, {"right edge", {200, 110}, FALSE},
      {"bottom edge", {50, 120}, FALSE},        {"left of it", {9, 110}, FALSE},
      {"above it", {50, 99}, FALSE},            {"bottom-right corner", {200, 120}, FALSE},
  };
  for (const Row& row : rows) EXPECT_EQ(PtInRect(&r, row.p), row.in) << row.where;
  RECT empty{5, 5, 5, 9};
  EXPECT_FALSE(PtInRect(&empty, POINT{5, 6}));
  RECT inverted{20, 20, 10, 10};
  EXPECT_FALSE(PtInRect(&inverted, POINT{15, 15}));
  EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
}

TEST(RectHelpers, SetCopyInflateOffset) {
  RECT r;
  ASSERT_TRUE(SetRect(&r, 1, 2, 3, 4));
  EXPECT_TRUE(same(r, 1, 2, 3, 4));
  RECT c;
  CopyRect(&c, &r);
  EXPECT_TRUE(EqualRect(&c, &r));
  InflateRect(&c, 1, 2);
  EXPECT_TRUE(same(c, 0, 0, 4, 6));
  InflateRect(&c, -3, -1);  // shrinking past empty is allowed and leaves it inverted
  EXPECT_TRUE(same(c, 3, 1, 1, 5));
  EXPECT_TRUE(IsRectEmpty(&c));
  OffsetRect(&r, -1, 10);
  EXPECT_TRUE(same(r, 0, 12, 2, 14));
  SetRectEmpty(&r);
  EXPECT_TRUE(same(r, 0, 0, 0, 0));
  EXPECT_TRUE(IsRectEmpty(&r));
  EXPECT_FALSE(EqualRect(&r, &c));
}

TEST(RectHelpers, IntersectAndUnion) {
  RECT a{0, 0, 10, 10}, b{5, 5, 15, 15}, far{20, 20, 30, 30}, touch{10, 0, 20, 10}, out;
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_TRUE(same(out, 5, 5, 10, 10));
  out = RECT{1, 1, 1, 1};
  EXPECT_FALSE(IntersectRect(&out, &a, &far));
  EXPECT_TRUE(same(out, 0, 0, 0, 0));
  EXPECT_FALSE(IntersectRect(&out, &a, &touch));  // shared edge only: no pixels in common
  EXPECT_TRUE(UnionRect(&out, &a, &far));
  EXPECT_TRUE(same(out, 0, 0, 30, 30));
  RECT empty{100, 100, 100, 200};
  EXPECT_TRUE(UnionRect(&out, &a, &empty));  // an empty rectangle adds nothing
  EXPECT_TRUE(same(out, 0, 0, 10, 10));
  RECT e2{0, 0, 0, 0};
  EXPECT_FALSE(UnionRect(&out, &empty, &e2));
  EXPECT_TRUE(IntersectRect(&a, &a, &b));  // the destination may be a source
  EXPECT_TRUE(same(a, 5, 5, 10, 10));
}

TEST(CRectClass, MembersMatchTheWin32Helpers) {
  CRect r(860, 10, 1100, 30);
  EXPECT_EQ(r.Width(), 240);
  EXPECT_EQ(r.Height(), 20);
  EXPECT_TRUE(r.PtInRect(CPoint(860, 10)));
  EXPECT_FALSE(r.PtInRect(CPoint(1100, 10)));
  EXPECT_EQ(r.TopLeft(), CPoint(860, 10));
  EXPECT_EQ(r.BottomRight(), CPoint(1100, 30));
  r.TopLeft() = CPoint(0, 0);  // references into the rectangle
  EXPECT_EQ(r.left, 0);
  r.InflateRect(1, 1);
  EXPECT_TRUE(r == CRect(-1, -1, 1101, 31));
  r.OffsetRect(1, 1);
  EXPECT_TRUE(r == CRect(0, 0, 1102, 32));
  r.SetRect(5, 5, 5, 5);
  EXPECT_TRUE(r.IsRectEmpty());
  LPRECT p = r;
  EXPECT_EQ(p, static_cast<RECT*>(&r));
  CRect place(110, -20, 110, -20);
  EXPECT_TRUE(place.IsRectEmpty());
  CRect both = CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20);
  EXPECT_TRUE(both == CRect(5, 5, 10, 10));
  CRect inverted(10, 10, 0, 0);
  inverted.NormalizeRect();
  EXPECT_TRUE(inverted == CRect(0, 0, 10, 10));
  EXPECT_EQ(CPoint(3, 4) - CPoint(1, 1), CSize(2, 3));
}
