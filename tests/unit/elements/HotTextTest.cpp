// The hot text button: layouts chosen by width and prefix, rectangles, hit tests, state
// colours, the pixels it paints, and the DC state it leaves.
#include <gtest/gtest.h>

#include <memory>

#include "elements/HotText.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/PixelCanvas.h"

using namespace pixeltest;

namespace {

HOTTEXTINFO Record(int x, int y, short width, const char* caption) {
  HOTTEXTINFO info;
  info.x = x;
  info.y = y;
  info.nWidth = width;
  info.strCaption = caption;
  info.crLine = RGB(0, 128, 0);  // distinct from the light-grey pen so the divider shows
  info.crNormal = kBlue;
  info.crActive = kRed;
  info.crBack = kWhite;
  info.crDisabled = kLightGrey;
  return info;
}

class HotText : public ::testing::Test {
 protected:
  void SetUp() override { zorva::platform::HeadlessBackend::install(); }
};

}  // namespace

TEST_F(HotText, LayoutChosenByWidthAndFirstCharacter) {
  struct Row {
    const char* name;
    short width;
    const char* caption;
    short style;
    short state;
    BOOL boxed;
    const char* text;
    CRect rect;  // built at (10, 100)
  };
  const Row rows[] = {
      {"lined caption", 0, "Play", 5, 0, FALSE, "Play", CRect(10, 95, 34, 121)},
      {"label", 0, "&Lessons", 10, -1, TRUE, "Lessons", CRect(10, 95, 52, 121)},
      {"note", 0, "%Review", 5, 12, FALSE, "Review", CRect(10, 95, 46, 121)},
      {"blank keeps the text before the first @", 0, "@Hidden", 5, 11, FALSE, "", CRect(10, 95, 10, 121)},
      {"& after % is not a label", 0, "%&x", 5, 12, FALSE, "&x", CRect(10, 95, 22, 121)},
      {"& after @ is not a label", 0, "@&x", 5, 11, FALSE, "", CRect(10, 95, 10, 121)},
      {"empty caption", 0, "", 5, 0, FALSE, "", CRect(10, 95, 10, 121)},
      {"box keeps its caption unaltered", 40, "&Go", 3, 0, TRUE, "&Go", CRect(10, 101, 50, 118)},
      {"single space", 0, " ", 5, 0, FALSE, " ", CRect(10, 95, 16, 121)},
  };
  for (const Row& r : rows) {
    CHotText button(Record(10, 100, r.width, r.caption));
    EXPECT_EQ(button.m_nStyle, r.style) << r.name;
    EXPECT_EQ(button.m_nState, r.state) << r.name;
    EXPECT_EQ(button.m_bBoxed, r.boxed) << r.name;
    EXPECT_STREQ((LPCTSTR)button.m_strCaption, r.text) << r.name;
    EXPECT_EQ(button.m_rect, r.rect) << r.name;
    EXPECT_TRUE(button.m_bVisible) << r.name;
    EXPECT_EQ(button.m_x, 10) << r.name;
    EXPECT_EQ(button.m_y, 100) << r.name;
  }
  CHotText box(Record(10, 20, 40, "Box"));
  EXPECT_EQ(box.m_rect, CRect(10, 21, 50, 38));
}

TEST_F(HotText, HitTestEdgesStatesAndVisibility) {
  CHotText button(Record(10, 100, 0, "Play"));  // (10, 95, 34, 121)
  struct Probe {
    const char* name;
    CPoint point;
    bool hit;
  };
  const Probe probes[] = {
      {"top-left corner", CPoint(10, 95), true},
      {"last pixel inside", CPoint(33, 120), true},
      {"right edge", CPoint(34, 100), false},
      {"bottom edge", CPoint(20, 121), false},
      {"left of it", CPoint(9, 100), false},
      {"above it", CPoint(20, 94), false},
  };
  for (const Probe& p : probes) EXPECT_EQ(button.HitTest(p.point), p.hit) << p.name;

  const CPoint inside(20, 100);
  const struct {
    short state;
    bool hit;
  } states[] = {{0, true}, {1, true}, {-1, false}, {11, false}, {12, false}};
  for (const auto& s : states) {
    button.m_nState = s.state;
    EXPECT_EQ(button.HitTest(inside), s.hit) << "state " << s.state;
  }
  button.m_nState = 0;
  button.m_bVisible = FALSE;
  EXPECT_FALSE(button.HitTest(inside)) << "hidden";

  CHotText empty(Record(10, 100, 0, ""));
  EXPECT_FALSE(empty.HitTest(CPoint(10, 100))) << "zero-width rectangle";

  CHotText label(Record(10, 100, 0, "&Lessons"));
  EXPECT_FALSE(label.HitTest(inside));
  label.m_nState = 0;
  EXPECT_TRUE(label.HitTest(inside)) << "a label set to state 0 becomes hittable";
}

TEST_F(HotText, LinedCaptionPaintsFillLinesAndTextInStateColour) {
  Canvas s(80, 70);
  CHotText button(Record(10, 30, 0, "Play"));  // rect (10, 25, 34, 51)
  button.Draw(&s.cdc());
  Image e(80, 70);
  e.fill(10, 25, 34, 51, kWhite);
  e.fill(10, 27, 34, 28, kLightGrey);  // upper line along y - 3
  e.fill(10, 51, 34, 52, kLightGrey);  // lower line along y + 21, below the fill
  EXPECT_TRUE(Matches(s, e, CRect(10, 31, 34, 51), kBlue));
}

TEST_F(HotText, StateColours) {
  struct Row {
    const char* name;
    const char* caption;
    short state;  // set after construction unless -2
    COLORREF text;
    bool lines;
  };
  const Row rows[] = {
      {"normal", "Play", 0, kBlue, true},
      {"active", "Play", 1, kRed, true},
      {"disabled", "Play", -1, kLightGrey, true},
      {"note keeps its lines", "%Play", -2, RGB(96, 96, 96), true},
  };
  for (const Row& r : rows) {
    Canvas s(80, 70);
    CHotText button(Record(10, 30, 0, r.caption));
    if (r.state != -2) button.m_nState = r.state;
    button.Draw(&s.cdc());
    Image e(80, 70);
    e.fill(10, 25, 34, 51, kWhite);
    if (r.lines) {
      e.fill(10, 27, 34, 28, kLightGrey);
      e.fill(10, 51, 34, 52, kLightGrey);
    }
    EXPECT_TRUE(Matches(s, e, CRect(10, 31, 34, 51), r.text)) << r.name;
  }
}

TEST_F(HotText, BlankButtonDrawsNoLinesAndLeavesTheTextColour) {
  Canvas s(80, 70);
  CHotText button(Record(10, 30, 0, "@x"));
  // A blank button has no text; give it one to see which colour it is drawn in.
  button.m_strCaption = "Play";
  button.m_rect.right = button.m_rect.left + 24;
  s.cdc().SetTextColor(RGB(7, 8, 9));
  button.Draw(&s.cdc());
  Image e(80, 70);
  e.fill(10, 25, 34, 51, kWhite);
  EXPECT_TRUE(Matches(s, e, CRect(10, 31, 34, 51), RGB(7, 8, 9)));
}

TEST_F(HotText, BoxPaintsDividerAndCentredText) {
  Canvas s(70, 50);
  CHotText box(Record(10, 20, 40, "Go"));  // (10, 21, 50, 38)
  box.Draw(&s.cdc());
  Image e(70, 50);
  e.fill(10, 21, 50, 38, kWhite);
  e.fill(49, 22, 50, 37, RGB(0, 128, 0));  // divider at x = 49 from 22 up to 37
  EXPECT_TRUE(Matches(s, e, CRect(10, 23, 49, 38), kBlue));
}

TEST_F(HotText, LabelIsBlackWithoutLines) {
  Canvas s(80, 70);
  CHotText label(Record(10, 30, 0, "&Play"));
  label.m_nState = 0;  // still black
  label.Draw(&s.cdc());
  Image e(80, 70);
  e.fill(10, 25, 34, 51, kWhite);
  EXPECT_TRUE(Matches(s, e, CRect(10, 27, 34, 51), RGB(0, 0, 0)));
}

TEST_F(HotText, EraseGrowsByOnePixelAndHiddenDrawPaintsNothing) {
  Canvas s(80, 70);
  CHotText button(Record(10, 30, 0, "Play"));
  button.m_bVisible = FALSE;
  button.Draw(&s.cdc());
  EXPECT_TRUE(Matches(s, Image(80, 70))) << "hidden Draw";
  button.Erase(&s.cdc());  // paints whether or not it was visible
  Image e(80, 70);
  e.fill(9, 24, 35, 52, kWhite);
  EXPECT_TRUE(Matches(s, e));
  EXPECT_FALSE(button.m_bVisible);

  button.Show(&s.cdc());
  EXPECT_TRUE(button.m_bVisible);
  e.fill(10, 27, 34, 28, kLightGrey);
  e.fill(10, 51, 34, 52, kLightGrey);
  EXPECT_TRUE(Matches(s, e, CRect(10, 31, 34, 51), kBlue));
}

TEST_F(HotText, DrawRestoresTheSurfaceState) {
  Canvas s(80, 70);
  CPen pen;
  pen.CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
  CBrush brush;
  brush.CreateSolidBrush(RGB(8, 8, 8));
  CFont* pFont = (CFont*)s.cdc().SelectStockObject(SYSTEM_FONT);
  HGDIOBJ hFont = pFont != NULL ? s.cdc().GetCurrentFont()->GetSafeHandle() : NULL;
  CPen* pOldPen = s.cdc().SelectObject(&pen);
  CBrush* pOldBrush = s.cdc().SelectObject(&brush);
  s.cdc().SetTextColor(RGB(5, 6, 7));
  s.cdc().SetBkColor(RGB(1, 1, 1));

  for (const char* caption : {"Play", "&Label"}) {
    CHotText button(Record(10, 30, 0, caption));
    button.Draw(&s.cdc());
    EXPECT_EQ(s.cdc().GetTextColor(), RGB(5, 6, 7)) << caption;
    EXPECT_EQ(s.cdc().GetBkColor(), kWhite) << caption << ": text background stays m_crBack";
    EXPECT_EQ(s.cdc().GetCurrentPen()->GetSafeHandle(), pen.GetSafeHandle()) << caption;
    EXPECT_EQ(s.cdc().GetCurrentBrush()->GetSafeHandle(), brush.GetSafeHandle()) << caption;
    EXPECT_EQ(s.cdc().GetCurrentFont()->GetSafeHandle(), hFont) << caption;
  }
  CHotText box(Record(10, 30, 40, "Box"));
  box.Draw(&s.cdc());
  EXPECT_EQ(s.cdc().GetCurrentPen()->GetSafeHandle(), pen.GetSafeHandle());
  s.cdc().SelectObject(pOldPen);
  s.cdc().SelectObject(pOldBrush);
}
