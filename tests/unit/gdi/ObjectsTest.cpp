// Drawing objects: selection gives back the previous object, deletion while selected is
// deferred, injected failures, and window DCs with their origin, clip and change reports.
#include <vector>

#include "tests/support/PixelCanvas.h"
#include "platform/win32/Surface.h"
#include "platform/win32/gdi/GdiFaults.h"

using namespace pixeltest;
using zorva::platform::GdiKind;

TEST(Objects, SelectObjectReturnsThePreviousObject) {
  Canvas c(4, 4);
  HPEN a = CreatePen(PS_SOLID, 1, kRed);
  HPEN b = CreatePen(PS_SOLID, 1, kBlue);
  HGDIOBJ original = SelectObject(c.dc(), a);
  EXPECT_EQ(GetStockObject(BLACK_PEN), original);
  EXPECT_EQ(a, SelectObject(c.dc(), b));
  EXPECT_EQ(b, SelectObject(c.dc(), original));
  DeleteObject(a);
  DeleteObject(b);
  EXPECT_EQ(nullptr, SelectObject(c.dc(), a));  // a deleted handle is refused
}

TEST(Objects, DeletingASelectedObjectWaitsForItsRelease) {
  Canvas c(4, 4);
  const int before = zorva::platform::liveGdiObjects(GdiKind::Brush);
  HBRUSH b = CreateSolidBrush(kRed);
  HGDIOBJ old = SelectObject(c.dc(), b);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(before + 1, zorva::platform::liveGdiObjects(GdiKind::Brush));
  EXPECT_TRUE(PatBlt(c.dc(), 0, 0, 1, 1, PATCOPY));  // still usable while selected
  EXPECT_EQ(kRed, c.at(0, 0));
  SelectObject(c.dc(), old);
  EXPECT_EQ(before, zorva::platform::liveGdiObjects(GdiKind::Brush));
}

TEST(Objects, UnsupportedPensAreRefused) {
  EXPECT_EQ(nullptr, CreatePen(PS_DASH, 1, 0));
  EXPECT_EQ(nullptr, CreatePen(PS_SOLID, 3, 0));
  EXPECT_EQ(nullptr, CreateCompatibleBitmap(nullptr, -1, 5));
}

TEST(Faults, NthCreationOfEachKindFails) {
  struct Row {
    const char* name;
    GdiKind kind;
    bool (*create)();
  } rows[] = {
      {"pen", GdiKind::Pen, [] { HPEN p = CreatePen(PS_SOLID, 1, 0); return p != nullptr && DeleteObject(p); }},
      {"brush", GdiKind::Brush, [] { HBRUSH b = CreateSolidBrush(0); return b != nullptr && DeleteObject(b); }},
      {"bitmap", GdiKind::Bitmap, [] { HBITMAP b = CreateCompatibleBitmap(nullptr, 4, 4); return b != nullptr && DeleteObject(b); }},
      {"dc", GdiKind::DC, [] { HDC d = CreateCompatibleDC(nullptr); return d != nullptr && DeleteDC(d); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const int live = zorva::platform::liveGdiObjects(r.kind);
    zorva::platform::failGdiCreation(r.kind, 2);
    EXPECT_TRUE(r.create());
    EXPECT_FALSE(r.create());
    EXPECT_TRUE(r.create());
    EXPECT_EQ(live, zorva::platform::liveGdiObjects(r.kind));
  }
  zorva::platform::failGdiCreation(GdiKind::Pen, 1);
  zorva::platform::clearGdiFaults();
  HPEN p = CreatePen(PS_SOLID, 1, 0);
  EXPECT_NE(nullptr, p);
  DeleteObject(p);
}

TEST(Objects, BatchLimitIsKeptAndGivenBack) {
  const DWORD first = GdiSetBatchLimit(1);
  EXPECT_EQ(1u, GdiSetBatchLimit(first));
  EXPECT_TRUE(GdiFlush());
}

TEST(Objects, SaveAndRestoreBringBackColoursAndPen) {
  Canvas c(4, 4);
  SetTextColor(c.dc(), kRed);
  const int level = SaveDC(c.dc());
  EXPECT_EQ(1, level);
  HPEN p = CreatePen(PS_SOLID, 1, kBlue);
  SelectObject(c.dc(), p);
  SetTextColor(c.dc(), kGreen);
  EXPECT_TRUE(RestoreDC(c.dc(), -1));
  EXPECT_EQ(kRed, GetTextColor(c.dc()));
  EXPECT_EQ(GetStockObject(BLACK_PEN), GetCurrentObject(c.dc(), OBJ_PEN));
  EXPECT_TRUE(DeleteObject(p));
  EXPECT_FALSE(RestoreDC(c.dc(), 1));  // nothing saved any more
}

TEST(WindowDC, OriginClipAndChangeReports) {
  zorva::platform::Surface screen(30, 20, kSentinel);
  std::vector<zorva::platform::PixelRect> changes;
  screen.onChanged = [&](const zorva::platform::PixelRect& r) { changes.push_back(r); };
  zorva::platform::DrawTarget target;
  target.surface = &screen;
  target.origin_x = 5;
  target.origin_y = 4;
  target.clip = {{5, 4, 15, 12}};
  HDC dc = zorva::platform::createWindowDC(target, nullptr);
  ASSERT_NE(nullptr, dc);
  HBRUSH b = CreateSolidBrush(kBlue);
  RECT r{-2, -2, 3, 3};  // logical: reaches above and left of the client area
  FillRect(dc, &r, b);
  DeleteObject(b);
  ASSERT_EQ(1u, changes.size());
  EXPECT_EQ(5, changes[0].left);
  EXPECT_EQ(4, changes[0].top);
  EXPECT_EQ(8, changes[0].right);
  EXPECT_EQ(7, changes[0].bottom);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool in = x >= 5 && x < 8 && y >= 4 && y < 7;
      ASSERT_EQ(in ? kBlue : kSentinel, screen.pixel(x, y)) << x << "," << y;
    }
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(Framework, SelectObjectGivesBackAWrapperThatRestores) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 8, 8));
  CBitmap* oldBitmap = dc.SelectObject(&bitmap);
  ASSERT_NE(nullptr, oldBitmap);
  CPen pen;
  ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, kRed));
  CPen* old = dc.SelectObject(&pen);
  ASSERT_NE(nullptr, old);
  EXPECT_EQ(GetStockObject(BLACK_PEN), old->GetSafeHandle());
  EXPECT_EQ(&pen, dc.GetCurrentPen());  // the owner, not a copy
  dc.MoveTo(0, 0);
  EXPECT_EQ(CPoint(0, 0), dc.MoveTo(1, 1));
  dc.LineTo(4, 1);
  EXPECT_EQ(kRed, dc.GetPixel(3, 1));
  EXPECT_EQ(&pen, dc.SelectObject(old));
  CGdiObject* font = dc.SelectStockObject(ANSI_VAR_FONT);
  ASSERT_NE(nullptr, font);
  EXPECT_EQ(GetStockObject(SYSTEM_FONT), font->GetSafeHandle());
  dc.SelectObject(oldBitmap);
}

TEST(Framework, ObjectsDeleteTheirHandlesAndThrowingConstructors) {
  const int pens = zorva::platform::liveGdiObjects(GdiKind::Pen);
  {
    CPen pen(PS_SOLID, 1, kBlue);
    EXPECT_EQ(pens + 1, zorva::platform::liveGdiObjects(GdiKind::Pen));
  }
  EXPECT_EQ(pens, zorva::platform::liveGdiObjects(GdiKind::Pen));
  zorva::platform::failGdiCreation(GdiKind::Brush, 1);
  bool thrown = false;
  try {
    CBrush brush(kRed);
  } catch (CResourceException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  const int dcs = zorva::platform::liveGdiObjects(GdiKind::DC);
  {
    CDC dc;
    dc.Attach(CreateCompatibleDC(nullptr));
    EXPECT_EQ(dcs + 1, zorva::platform::liveGdiObjects(GdiKind::DC));
  }
  EXPECT_EQ(dcs, zorva::platform::liveGdiObjects(GdiKind::DC));
}
