// A pen or brush that cannot be created: the "Resource Error" box, and what construction
// leaves behind when it stops there.
#include <gtest/gtest.h>

#include "elements/HotText.h"
#include "platform/win32/gdi/GdiFaults.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/PixelCanvas.h"

using namespace pixeltest;
using zorva::platform::GdiKind;

namespace {

HOTTEXTINFO Record(const char* caption) {
  HOTTEXTINFO info;
  info.x = 10;
  info.y = 30;
  info.nWidth = 0;
  info.strCaption = caption;
  info.crLine = kLightGrey;
  info.crNormal = kBlue;
  info.crActive = kRed;
  info.crBack = kWhite;
  info.crDisabled = kLightGrey;
  return info;
}

}  // namespace

TEST(HotTextFailure, EachMissingDrawingObjectIsReportedAndStopsConstruction) {
  struct Row {
    const char* name;
    GdiKind kind;
    int nth;
    const char* text;
    int pens_made;
    int brushes_made;
  };
  const Row rows[] = {
      {"brush", GdiKind::Brush, 1, "Out of resources in CHotText m_brush.\n Please Quit and restart.", 0, 0},
      {"light-grey pen", GdiKind::Pen, 1, "Out of resources in CHotText m_penHoriz.\n Please Quit and restart.", 0, 1},
      {"line pen", GdiKind::Pen, 2, "Out of resources in CHotText m_penBlack.\n Please Quit and restart.", 1, 1},
  };
  auto& desktop = zorva::platform::HeadlessBackend::install();
  for (const Row& r : rows) {
    const size_t boxes = desktop.messageBoxes().size();
    const int pens = zorva::platform::liveGdiObjects(GdiKind::Pen);
    const int brushes = zorva::platform::liveGdiObjects(GdiKind::Brush);
    zorva::platform::failGdiCreation(r.kind, r.nth);
    {
      CHotText button(Record("%Review"));
      zorva::platform::clearGdiFaults();
      ASSERT_EQ(desktop.messageBoxes().size(), boxes + 1) << r.name;
      const auto& box = desktop.messageBoxes().back();
      EXPECT_EQ(box.text, r.text) << r.name;
      EXPECT_EQ(box.caption, "Resource Error") << r.name;
      EXPECT_EQ(box.flags, (unsigned)MB_OK) << r.name;
      EXPECT_FALSE(box.has_owner) << r.name;
      // The later objects were not made and the caption was not interpreted.
      EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Pen), pens + r.pens_made) << r.name;
      EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Brush), brushes + r.brushes_made) << r.name;
      EXPECT_EQ(button.m_nStyle, 3) << r.name;
      EXPECT_EQ(button.m_nState, 0) << r.name;
      EXPECT_TRUE(button.m_bBoxed) << r.name;
      EXPECT_STREQ((LPCTSTR)button.m_strCaption, "%Review") << r.name;
      EXPECT_EQ(button.m_rect, CRect(10, 31, 10, 48)) << r.name;
      EXPECT_FALSE(button.m_bVisible) << r.name << ": a half-built button stays hidden";
      // An owner that shows it anyway gets less paint, not a crash.
      Canvas s(40, 60);
      button.m_rect.right = 30;
      button.Show(&s.cdc());
      button.Erase(&s.cdc());
      EXPECT_FALSE(button.HitTest(CPoint(-100, -100))) << r.name;
    }
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Pen), pens) << r.name << ": pens deleted once";
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Brush), brushes) << r.name;
  }
}

TEST(HotTextFailure, ABuiltButtonHoldsThreeObjectsAndFreesThem) {
  zorva::platform::HeadlessBackend::install();
  const int pens = zorva::platform::liveGdiObjects(GdiKind::Pen);
  const int brushes = zorva::platform::liveGdiObjects(GdiKind::Brush);
  {
    CHotText button(Record("Play"));
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Pen), pens + 2);
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Brush), brushes + 1);
    Canvas s(60, 60);
    button.Draw(&s.cdc());  // drawing makes no lasting objects of its own
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Pen), pens + 2);
  }
  EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Pen), pens);
  EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Brush), brushes);
}
