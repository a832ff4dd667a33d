// DrawEdge: which ring gets which system colour, which sides are drawn, the face, and the
// rectangle handed back; checked over the whole canvas so nothing outside the edge is touched.
#include "tests/support/PixelCanvas.h"

using namespace pixeltest;

namespace {

COLORREF sys(int index) { return GetSysColor(index); }

struct EdgeCase {
  const char* rule;
  UINT edge;
  UINT flags;
  void (*expect)(Image&);  // paints what the 6x5 canvas shows after drawing on {1,1,5,4}
};

const EdgeCase kCases[] = {
    {"raised: light then white on top and left, black then grey on bottom and right", EDGE_RAISED,
     BF_RECT,
     [](Image& e) {
       e.fill(1, 1, 4, 2, sys(COLOR_3DLIGHT));
       e.fill(1, 1, 2, 3, sys(COLOR_3DLIGHT));
       e.fill(1, 3, 5, 4, sys(COLOR_3DDKSHADOW));
       e.fill(4, 1, 5, 4, sys(COLOR_3DDKSHADOW));
       e.fill(2, 2, 4, 3, sys(COLOR_BTNSHADOW));  // one pixel high: its bottom row covers it
     }},
    {"soft raised outer: white on top and left", BDR_RAISEDOUTER, BF_RECT | BF_SOFT,
     [](Image& e) {
       e.fill(1, 1, 4, 2, sys(COLOR_BTNHIGHLIGHT));
       e.fill(1, 1, 2, 3, sys(COLOR_BTNHIGHLIGHT));
       e.fill(1, 3, 5, 4, sys(COLOR_3DDKSHADOW));
       e.fill(4, 1, 5, 4, sys(COLOR_3DDKSHADOW));
     }},
    {"sunken outer on bottom and right only, face filled", BDR_SUNKENOUTER,
     BF_BOTTOMRIGHT | BF_MIDDLE,
     [](Image& e) {
       e.fill(1, 3, 5, 4, sys(COLOR_BTNHIGHLIGHT));
       e.fill(4, 1, 5, 4, sys(COLOR_BTNHIGHLIGHT));
       e.fill(1, 1, 4, 3, sys(COLOR_BTNFACE));
     }},
    {"flat edges are refused and paint nothing", EDGE_SUNKEN, BF_RECT | 0x4000, [](Image&) {}},
};

TEST(DrawEdge, PaintsEachRingInItsSystemColours) {
  for (const EdgeCase& c : kCases) {
    SCOPED_TRACE(c.rule);
    Canvas canvas(6, 5);
    RECT r{1, 1, 5, 4};
    EXPECT_EQ(DrawEdge(canvas.dc(), &r, c.edge, c.flags), (c.flags & 0x4000) ? FALSE : TRUE);
    Image expected(6, 5);
    c.expect(expected);
    EXPECT_TRUE(Matches(canvas, expected));
  }
}

TEST(DrawEdge, AdjustHandsBackTheRectangleInsideTheDrawnSides) {
  Canvas canvas(6, 5);
  RECT r{0, 0, 6, 5};
  ASSERT_TRUE(DrawEdge(canvas.dc(), &r, EDGE_RAISED, BF_TOPLEFT | BF_ADJUST));
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{2, 2, 6, 5}));
}

}  // namespace
