// When drawing reaches the desktop: a paint is presented once, when it ends (frame, erase and
// drawing together); drawing outside a paint is presented by each call and held until the
// program next waits or asks; a paint that waits (a message box, a nested queue read) shows what
// it has drawn so far.
#include <gtest/gtest.h>

#include <functional>

#include "platform/win32/audio/WaveDevice.h"
#include "platform/win32/gdi/WinGdi.h"
#include "platform/win32/kernel/WinBase.h"
#include "tests/support/Desktop.h"

using zorva::testing::Desktop;
using zorva::testing::registerWindowClass;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
std::function<void(HWND, HDC)> g_painter;  // what the window's paint draws

LRESULT CALLBACK paintProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m != WM_PAINT || !g_painter) return DefWindowProcA(h, m, w, l);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  g_painter(h, dc);
  EndPaint(h, &ps);
  return 0;
}

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{left, top, right, bottom};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

class PaintPresent : public ::testing::Test {
 protected:
  void SetUp() override {
    registerWindowClass("PaintPresent", paintProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    window = CreateWindowExA(0, "PaintPresent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                             200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(desk.pumpUntilIdle());
  }
  void TearDown() override { g_painter = nullptr; }
  int presents() { return desk.backend().presentCount(); }

  Desktop desk{1024, 738};
  HWND window = nullptr;
};

TEST_F(PaintPresent, APaintIsPresentedOnceWhenItEnds) {
  int during = -1;
  g_painter = [&](HWND, HDC dc) {
    fill(dc, 0, 0, 10, 10, kBlue);
    fill(dc, 50, 50, 60, 60, kBlue);
    during = presents();
  };
  const int before = presents();
  InvalidateRect(window, nullptr, TRUE);  // erase, frame and two fills
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_EQ(during, before) << "nothing reaches the desktop while the paint is open";
  EXPECT_EQ(presents(), before + 1);
  EXPECT_EQ(desk.pixel(window, 55, 55), kBlue);
  EXPECT_EQ(desk.pixel(window, 30, 30), RGB(255, 255, 255)) << "the erase in the same present";
}

// The clock stands still here, so every call's pixels are held until one of these shows them.
TEST_F(PaintPresent, DrawingOutsideAPaintIsShownBeforeTheProgramNextWaitsOrAsks) {
  const struct {
    const char* call;
    std::function<void()> run;
  } rows[] = {
      {"a queue read", [] {
         MSG msg;
         PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
       }},
      {"a wait for input", [this] {
         desk.backend().inject(zorva::platform::InputEvent{});
         WaitMessage();
       }},
      {"the clock", [] { GetTickCount(); }},
      {"a sleep", [] { Sleep(1); }},
      {"a message box", [this] { MessageBoxA(window, "text", "caption", MB_OK); }},
      {"a sound's progress", [] { zorva::platform::heardBytes(-1); }},
  };
  HDC dc = GetDC(window);
  COLORREF colour = kBlue;
  for (const auto& row : rows) {
    colour -= RGB(0, 0, 1);  // a new shade of blue each row
    const int before = presents();
    fill(dc, 0, 0, 10, 10, colour);
    fill(dc, 20, 0, 30, 10, colour);
    EXPECT_EQ(presents(), before) << row.call << ": held";
    row.run();
    EXPECT_EQ(presents(), before + 1) << row.call << ": both calls shown together";
    EXPECT_EQ(desk.pixel(window, 5, 5), colour) << row.call;
    EXPECT_EQ(desk.pixel(window, 25, 5), colour) << row.call;
  }
  ReleaseDC(window, dc);
}

TEST_F(PaintPresent, APaintThatWaitsShowsWhatItHasDrawn) {
  struct Case {
    const char* wait;
    std::function<void(HWND)> call;
  };
  const Case cases[] = {
      {"a message box", [](HWND h) { MessageBoxA(h, "text", "caption", MB_OK); }},
      {"a queue read", [](HWND) {
         MSG msg;
         PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
       }},
  };
  for (const Case& c : cases) {
    COLORREF seen = 0;
    g_painter = [&](HWND h, HDC dc) {
      fill(dc, 0, 0, 10, 10, kBlue);
      c.call(h);
      seen = desk.pixel(h, 5, 5);
      fill(dc, 0, 0, 10, 10, RGB(255, 0, 0));
    };
    InvalidateRect(window, nullptr, TRUE);
    ASSERT_TRUE(desk.pumpUntilIdle());
    EXPECT_EQ(seen, kBlue) << c.wait;
    EXPECT_EQ(desk.pixel(window, 5, 5), RGB(255, 0, 0)) << c.wait << ": the rest at the paint's end";
  }
}

}  // namespace
