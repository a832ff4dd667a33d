// Painting on the headless desktop: erase with the class brush, edges drawn around children,
// paint DCs clipped to the invalid part, client DCs clipped to the client area and under
// pop-ups, resize/expose/close sequences (an expose repaints nothing), and input to disabled
// windows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/backend/PixelHoldingDesktop.h"
#include "platform/win32/gdi/WinGdi.h"
#include "tests/support/Desktop.h"
#include "tests/support/MessageLog.h"
#include "tests/support/PixelCanvas.h"

using namespace zorva::testing;
using namespace pixeltest;

namespace {

COLORREF g_paint_colour = 0;  // what "PaintFill" windows paint their whole client with
RECT g_last_paint{};
BOOL g_last_erase = FALSE;

// Paints its whole client area; what reaches the screen is what the DC's clip lets through.
LRESULT CALLBACK fillProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  messageLog().push_back({h, m, w, l});
  if (m != WM_PAINT) return DefWindowProcA(h, m, w, l);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  g_last_paint = ps.rcPaint;
  g_last_erase = ps.fErase;
  HBRUSH brush = CreateSolidBrush(g_paint_colour);
  RECT all{-100, -100, 2000, 2000};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  EndPaint(h, &ps);
  return 0;
}

constexpr COLORREF kFace = kLightGrey;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kLight = RGB(223, 223, 223);

const ExpectedMessage kPaint[] = {{WM_PAINT}, {0}};
const ExpectedMessage kPaintAndErase[] = {{WM_PAINT}, {WM_ERASEBKGND}, {0}};
const ExpectedMessage kClick[] = {{WM_LBUTTONDOWN}, {WM_LBUTTONUP}, {0}};

// The client edge: a sunken ring of shadow and white around one of black and light grey.
void sunken(Image& want, int l, int t, int r, int b) {
  want.fill(l, t, r - 1, t + 1, kShadow);
  want.fill(l, t, l + 1, b - 1, kShadow);
  want.fill(l, b - 1, r, b, kWhite);
  want.fill(r - 1, t, r, b, kWhite);
  want.fill(l + 1, t + 1, r - 2, t + 2, kBlack);
  want.fill(l + 1, t + 1, l + 2, b - 2, kBlack);
  want.fill(l + 1, b - 2, r - 1, b - 1, kLight);
  want.fill(r - 2, t + 1, r - 1, b - 1, kLight);
}

void border(Image& want, int l, int t, int r, int b, COLORREF c) {
  want.fill(l, t, r, t + 1, c);
  want.fill(l, b - 1, r, b, c);
  want.fill(l, t, l + 1, b, c);
  want.fill(r - 1, t, r, b, c);
}

// Against the screen as the learner sees it once the program next waits.
int mismatches(const Image& want, const zorva::platform::HeadlessBackend& desk) {
  zorva::platform::showHeldPixels();
  if (desk.contentWidth() != want.width() || desk.contentHeight() != want.height()) return -1;
  int bad = 0;
  for (int y = 0; y < want.height(); ++y)
    for (int x = 0; x < want.width(); ++x)
      bad += desk.contentPixels()[size_t(y) * want.width() + x] != want.at(x, y);
  return bad;
}

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerWindowClass("PaintFace", loggingProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    registerWindowClass("PaintWhite", loggingProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    red = CreateSolidBrush(kRed);
    registerWindowClass("PaintRed", loggingProc, red);
    registerWindowClass("PaintFill", fillProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    registerWindowClass("PaintRedraw", loggingProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                        CS_HREDRAW | CS_VREDRAW);
    messageLog().clear();
  }
  // The frame: 400x300 outer at (0,0), so its content is 392x274 on the headless desktop.
  HWND frame(const char* cls = "PaintFace") {
    return CreateWindowExA(0, cls, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                           nullptr, nullptr, nullptr, nullptr);
  }
  HWND child(HWND parent, const char* cls, DWORD style, DWORD ex, int x, int y, int w, int h) {
    return CreateWindowExA(ex, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(1), nullptr, nullptr);
  }
  Desktop desk{1024, 738};
  HBRUSH red = nullptr;
};

TEST_F(PaintTest, FirstPaintErasesWithClassBrushesAndDrawsEdges) {
  HWND f = frame();
  child(f, "PaintWhite", 0, WS_EX_CLIENTEDGE, 10, 10, 100, 80);
  HWND b = child(f, "PaintRed", WS_BORDER, 0, 150, 10, 60, 40);
  ASSERT_TRUE(desk.pumpUntilIdle());
  Image want(392, 274, kFace);
  sunken(want, 10, 10, 110, 90);
  want.fill(12, 12, 108, 88, kWhite);
  border(want, 150, 10, 210, 50, kBlack);
  want.fill(151, 11, 209, 49, kRed);
  EXPECT_EQ(mismatches(want, desk.backend()), 0);
  RECT client;
  GetClientRect(b, &client);
  EXPECT_EQ(client.right, 58) << "the border lies outside the client area";
  EXPECT_EQ(desk.pixel(b, 0, 0), kRed);
  // Each window was erased once, the frame before its children.
  const ExpectedMessage erased[] = {
      {WM_ERASEBKGND, {}, {}, f}, {WM_ERASEBKGND}, {WM_ERASEBKGND}, {0}};
  EXPECT_TRUE(LogMatches(erased, {{WM_ERASEBKGND}}));
}

TEST_F(PaintTest, PaintDcIsClippedToTheInvalidPartAndErasesOnlyWhenAsked) {
  HWND f = frame();
  HWND v = child(f, "PaintFill", 0, WS_EX_CLIENTEDGE, 10, 10, 100, 80);
  g_paint_colour = kWhite;
  ASSERT_TRUE(desk.pumpUntilIdle());
  messageLog().clear();
  g_paint_colour = kGreen;
  RECT part{20, 20, 40, 30};
  InvalidateRect(v, &part, FALSE);
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_TRUE(LogMatches(kPaint, {.window = v})) << "no erase was asked for";
  EXPECT_EQ(g_last_paint.left, 20);
  EXPECT_EQ(g_last_paint.bottom, 30);
  Image want(392, 274, kFace);
  sunken(want, 10, 10, 110, 90);
  want.fill(12, 12, 108, 88, kWhite);
  want.fill(32, 32, 52, 42, kGreen);  // client (20,20)-(40,30) lies at (12,12) on the screen
  EXPECT_EQ(mismatches(want, desk.backend()), 0);

  // With erase: WM_ERASEBKGND comes inside BeginPaint, carrying the paint DC.
  messageLog().clear();
  InvalidateRect(v, nullptr, TRUE);
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_TRUE(LogMatches(kPaintAndErase, {.window = v}));
  EXPECT_FALSE(g_last_erase) << "the default procedure erased";
  want.fill(12, 12, 108, 88, kGreen);
  EXPECT_EQ(mismatches(want, desk.backend()), 0);
}

TEST_F(PaintTest, ClientDcStopsAtTheClientAreaAndUnderPopups) {
  HWND f = frame();
  HWND v = child(f, "PaintWhite", 0, WS_EX_CLIENTEDGE, 10, 10, 100, 80);
  ASSERT_TRUE(desk.pumpUntilIdle());
  // An owned pop-up over the view, in screen coordinates.
  POINT at{50, 30};
  ClientToScreen(v, &at);
  HWND pop = CreateWindowExA(0, "PaintRed", "", WS_POPUP | WS_VISIBLE, at.x, at.y, 20, 10, f,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(pop, nullptr);
  ASSERT_TRUE(desk.pumpUntilIdle());
  HDC dc = GetDC(v);
  ASSERT_NE(dc, nullptr);
  HBRUSH green = CreateSolidBrush(kGreen);
  RECT all{-50, -50, 500, 500};
  FillRect(dc, &all, green);
  DeleteObject(green);
  EXPECT_EQ(ReleaseDC(v, dc), 1);
  EXPECT_EQ(ReleaseDC(v, dc), 0) << "a DC is given back once";
  Image want(392, 274, kFace);
  sunken(want, 10, 10, 110, 90);
  want.fill(12, 12, 108, 88, kGreen);
  want.fill(62, 42, 82, 52, kRed);  // the pop-up keeps its pixels
  EXPECT_EQ(mismatches(want, desk.backend()), 0);

  // Clicks find the pop-up first; a disabled window and its children take none.
  messageLog().clear();
  desk.click(v, 55, 35);
  desk.click(v, 5, 5);
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_TRUE(LogMatches(kClick, {.window = pop}));
  EXPECT_TRUE(LogMatches(kClick, {.window = v}));
  EnableWindow(f, FALSE);
  EXPECT_FALSE(IsWindowEnabled(f));
  messageLog().clear();
  desk.click(v, 5, 5);
  desk.click(v, 55, 35);
  desk.requestClose();
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_TRUE(LogMatches(kNoMessages, {.window = v}));
  EXPECT_TRUE(LogMatches(kNoMessages, {.window = f}))
      << "a disabled frame ignores the close button";
  EXPECT_TRUE(LogMatches(kClick, {.window = pop}));
  // The owner's end takes its pop-ups with it.
  DestroyWindow(f);
  EXPECT_FALSE(IsWindow(pop));
}

TEST_F(PaintTest, ResizeTellsTheFrameAndRepaintsEverything) {
  HWND f = frame("PaintRedraw");
  HWND v = child(f, "PaintRed", WS_BORDER, 0, 0, 0, 50, 50);
  ASSERT_TRUE(desk.pumpUntilIdle());
  messageLog().clear();
  desk.resize(300, 200);
  ASSERT_TRUE(desk.pumpUntilIdle());
  const ExpectedMessage resized[] = {
      {WM_SIZE, {}, MAKELPARAM(300, 200)}, {WM_PAINT}, {WM_ERASEBKGND}, {0}};
  EXPECT_TRUE(LogMatches(resized, {.window = f}));
  EXPECT_TRUE(LogMatches(kPaintAndErase, {.window = v}));
  RECT client;
  GetClientRect(f, &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  RECT outer;
  GetWindowRect(f, &outer);
  EXPECT_EQ(outer.right - outer.left, 308) << "the decorations stay around the content";
  Image want(300, 200, kWhite);
  border(want, 0, 0, 50, 50, kBlack);
  want.fill(1, 1, 49, 49, kRed);
  EXPECT_EQ(mismatches(want, desk.backend()), 0);

  // A mark drawn outside a paint (as an item's frame is) outlives an expose: the desktop shows
  // its copy again and no window paints over the mark.
  HDC dc = GetDC(v);
  ASSERT_NE(dc, nullptr);
  HBRUSH green = CreateSolidBrush(kGreen);
  RECT mark{10, 10, 20, 20};
  FillRect(dc, &mark, green);
  DeleteObject(green);
  ReleaseDC(v, dc);
  messageLog().clear();
  desk.expose();
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_TRUE(LogMatches(kNoMessages));
  want.fill(11, 11, 21, 21, kGreen);
  EXPECT_EQ(mismatches(want, desk.backend()), 0);
}

TEST_F(PaintTest, MovingAChildRepaintsWhereItWasAndWhereItIs) {
  HWND f = frame();
  HWND v = child(f, "PaintRed", 0, 0, 0, 0, 20, 20);
  ASSERT_TRUE(desk.pumpUntilIdle());
  MoveWindow(v, 100, 100, 30, 10, TRUE);
  ASSERT_TRUE(desk.pumpUntilIdle());
  Image want(392, 274, kFace);
  want.fill(100, 100, 130, 110, kRed);
  EXPECT_EQ(mismatches(want, desk.backend()), 0);
  ShowWindow(v, SW_HIDE);
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_EQ(mismatches(Image(392, 274, kFace), desk.backend()), 0);
}

TEST_F(PaintTest, CloseRequestDestroysTheFrameThenItsChildren) {
  HWND f = frame();
  HWND v = child(f, "PaintWhite", 0, 0, 0, 0, 20, 20);
  ASSERT_TRUE(desk.pumpUntilIdle());
  messageLog().clear();
  desk.requestClose();
  ASSERT_TRUE(desk.pumpUntilIdle());
  const ExpectedMessage closing[] = {{WM_CLOSE, {}, {}, f},     {WM_DESTROY, {}, {}, f},
                                     {WM_DESTROY, {}, {}, v},   {WM_NCDESTROY, {}, {}, v},
                                     {WM_NCDESTROY, {}, {}, f}, {0}};
  EXPECT_TRUE(LogMatches(closing));
  EXPECT_FALSE(desk.backend().windowCreated());
}

}  // namespace

namespace {

TEST(PaintAfterClose, ADcHeldAcrossTheWindowsEndDrawsNowhere) {
  Desktop desk(1024, 738);
  registerWindowClass("PaintAfterClose", DefWindowProcA);
  HWND f = CreateWindowExA(0, "PaintAfterClose", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                           100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(desk.pumpUntilIdle());
  HDC dc = GetDC(f);
  ASSERT_NE(dc, nullptr);
  const int presents = desk.backend().presentCount();
  DestroyWindow(f);
  RECT r{0, 0, 10, 10};
  FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
  EXPECT_EQ(desk.backend().presentCount(), presents) << "nothing reaches the desktop";
  EXPECT_EQ(ReleaseDC(f, dc), 1);
}

}  // namespace
