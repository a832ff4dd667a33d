// Modal dialogs on the headless desktop: where the box lies, what it draws, Enter, Escape and
// the button closing it with their results, the owner blocked while it is open and its pixels
// put back afterwards, and a quit request ending the loop.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/backend/PixelHoldingDesktop.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/gdi/TextRenderer.h"
#include "platform/win32/gdi/WinGdi.h"
#include "platform/win32/user/DialogLayout.h"
#include "platform/win32/user/Resources.h"
#include "platform/win32/user/WinUser.h"
#include "tests/support/Desktop.h"
#include "tests/support/MessageLog.h"

using namespace zorva::platform;
using namespace zorva::testing;

namespace {

constexpr UINT kDialogId = 921, kIconId = 922;
constexpr int kOther = 77;

ICON_RESOURCE(kIconId, ICON_COLORS(ICON_COLOR('#', RGB(255, 0, 0))), "####", "####");
DIALOG_RESOURCE(kDialogId, 0, 0, 120, 60, DS_MODALFRAME | WS_POPUP | WS_CAPTION, "Test Box",
                "MS Sans Serif", 8,
  ICON(kIconId, IDC_STATIC, 4, 4, 20, 20),
  LTEXT("Hello there", IDC_STATIC, 30, 4, 60, 8),
  PUSHBUTTON("Other", kOther, 4, 40, 40, 14),
  DEFPUSHBUTTON("OK", IDOK, 70, 40, 40, 14));

const LogFilter kFrameInput{{WM_LBUTTONDOWN, WM_KEYDOWN}};
LRESULT CALLBACK frameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  messageLog().push_back({h, m, w, l});
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

LPARAM g_initParam = 0;
INT_PTR CALLBACK endingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_INITDIALOG) {
    g_initParam = l;
    return TRUE;
  }
  if (m == WM_COMMAND) {
    EndDialog(h, LOWORD(w) == kOther ? 42 : LOWORD(w));
    return TRUE;
  }
  return FALSE;
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerWindowClass("DialogOwner", frameProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    frame = CreateWindowExA(0, "DialogOwner", "F", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600,
                            400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(frame, nullptr);
    InvalidateRect(frame, nullptr, TRUE);
    desktop.pumpUntilIdle();
    messageLog().clear();
    const ScreenRect c = desk->contentRect();
    geometry = layoutDialog(*findDialog(MAKEINTRESOURCE(kDialogId)), dialogFont(),
                            RECT{c.left, c.top, c.right, c.bottom});
  }
  void TearDown() override { desk->onIdle = nullptr; }
  // Runs the dialog; each time it waits for input, the next step is run (and gives some).
  INT_PTR run(std::vector<std::function<void()>> steps) {
    size_t next = 0;
    desk->onIdle = [steps, &next] {
      if (next < steps.size()) steps[next++]();
    };
    const INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCE(kDialogId), frame,
                                           endingProc, 1234);
    desk->onIdle = nullptr;
    return result;
  }
  void key(UINT vk) { desktop.key(vk); }
  // A click at, and the screen's pixel at, a point of the dialog window (its own pixels).
  void clickDialog(int x, int y) {
    const ScreenRect c = desk->contentRect();
    desktop.clickContent(geometry.window.left - c.left + x, geometry.window.top - c.top + y);
  }
  COLORREF dialogPixel(int x, int y) const {
    const ScreenRect c = desk->contentRect();
    return desk->contentPixel(geometry.window.left - c.left + x, geometry.window.top - c.top + y);
  }
  Desktop desktop;
  HeadlessBackend* desk = &desktop.backend();
  HWND frame = nullptr;
  DialogGeometry geometry;
};

TEST(DialogLayoutRules, UnitsCentringAndWrapping) {
  const RECT px = dialogUnitsToPixels(8, 16, 40, 8, 6, 13);
  EXPECT_EQ(px.left, 12);
  EXPECT_EQ(px.top, 26);
  EXPECT_EQ(px.right, 72);
  EXPECT_EQ(px.bottom, 39);
  DialogTemplate t;
  t.cx = 100;
  t.cy = 40;
  const HFONT font = dialogFont();
  const int bx = fontAverageCharWidth(font), by = fontLineHeight(font);
  const DialogGeometry g = layoutDialog(t, font, RECT{100, 50, 900, 650});
  const int w = 100 * bx / 4 + 2 * kDialogFramePx;
  const int h = 40 * by / 8 + 2 * kDialogFramePx + dialogCaptionHeight(font);
  EXPECT_EQ(g.window.right - g.window.left, w);
  EXPECT_EQ(g.window.bottom - g.window.top, h);
  EXPECT_EQ(g.window.left, 100 + (800 - w) / 2);
  EXPECT_EQ(g.window.top, 50 + (600 - h) / 2);
  // An owner smaller than the box: the top left corner stays on the owner.
  const DialogGeometry small = layoutDialog(t, font, RECT{10, 20, 40, 50});
  EXPECT_EQ(small.window.left, 10);
  EXPECT_EQ(small.window.top, 20);

  const int wide = textWidth(font, "alpha beta");
  EXPECT_EQ(wrapText(font, "alpha beta gamma", wide),
            (std::vector<std::string>{"alpha beta", "gamma"}));
  EXPECT_EQ(wrapText(font, "alpha beta", wide), (std::vector<std::string>{"alpha beta"}));
  EXPECT_EQ(wrapText(font, "extraordinarily x", 5),
            (std::vector<std::string>{"extraordinarily", "x"}))
      << "a long word stands alone";
  EXPECT_EQ(wrapText(font, "one\ntwo", 1000), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(wrapText(font, "", 100), (std::vector<std::string>{""}));
}

TEST_F(DialogTest, EnterClosesWithTheDefaultButtonAndRestoresTheOwner) {
  const std::vector<uint32_t> before = desk->contentPixels();
  bool looked = false;
  const INT_PTR result = run({[&] {
    looked = true;
    EXPECT_FALSE(IsWindowEnabled(frame)) << "the owner is disabled while the dialog is open";
    // The box where it belongs: its frame's corner, the caption, the face, the icon.
    EXPECT_EQ(dialogPixel(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(dialogPixel(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    const int w = geometry.window.right - geometry.window.left;
    const int h = geometry.window.bottom - geometry.window.top;
    EXPECT_EQ(dialogPixel(w - 1, h - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(dialogPixel(w / 2, kDialogFramePx + 1), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(dialogPixel(w / 2, geometry.client_origin.y + 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(dialogPixel(geometry.items[0].left, geometry.items[0].top), RGB(255, 0, 0));
    EXPECT_EQ(dialogPixel(geometry.items[0].left + 5, geometry.items[0].top), GetSysColor(COLOR_BTNFACE))
        << "transparent icon pixels";
    // The default button's thick black border; the other button has none.
    EXPECT_EQ(dialogPixel(geometry.items[3].left, geometry.items[3].top + 5), RGB(0, 0, 0));
    EXPECT_EQ(dialogPixel(geometry.items[2].left, geometry.items[2].top + 5),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    // Outside the box nothing changed.
    const ScreenRect c = desk->contentRect();
    const int cw = desk->contentWidth();
    int stray = 0;
    for (int y = 0; y < desk->contentHeight(); ++y)
      for (int x = 0; x < cw; ++x) {
        const int sx = x + c.left, sy = y + c.top;
        const bool inside = sx >= geometry.window.left && sx < geometry.window.right &&
                            sy >= geometry.window.top && sy < geometry.window.bottom;
        if (!inside && desk->contentPixel(x, y) != before[y * cw + x]) ++stray;
      }
    EXPECT_EQ(stray, 0);
    key(VK_RETURN);
  }});
  EXPECT_TRUE(looked);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(g_initParam, 1234);
  EXPECT_TRUE(IsWindowEnabled(frame));
  zorva::platform::showHeldPixels();
  EXPECT_EQ(desk->contentPixels(), before) << "the owner's pixels are back";
}

TEST_F(DialogTest, EscapeCancelsAndButtonsCloseOnClick) {
  EXPECT_EQ(run({[&] { key(VK_ESCAPE); }}), IDCANCEL);
  EXPECT_EQ(run({[&] { clickDialog(geometry.items[3].left + 5, geometry.items[3].top + 5); }}),
            IDOK);
  EXPECT_EQ(run({[&] {
                   clickDialog(geometry.items[1].left + 2, geometry.items[1].top + 2);  // text
                 },
                 [&] { clickDialog(geometry.items[2].left + 5, geometry.items[2].top + 5); }}),
            42);
  EXPECT_TRUE(LogMatches(kNoMessages, kFrameInput));
}

TEST_F(DialogTest, TheOwnerTakesNoInputWhileOpen) {
  // A click on the owner, away from the dialog.
  const INT_PTR result = run({[&] { desktop.clickContent(5, 5); }, [&] { key(VK_ESCAPE); }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(LogMatches(kNoMessages, kFrameInput))
      << "the click on the disabled owner was dropped";
}

TEST_F(DialogTest, AQuitRequestEndsTheLoopAndStaysForTheOuterLoop) {
  const INT_PTR result = run({[&] {
    PostQuitMessage(3);
    desk->inject(InputEvent{InputKind::MouseMove});  // wakes the waiting loop
  }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(IsWindowEnabled(frame));
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(DialogTest, TheOwnerGoingEndsTheDialog) {
  const INT_PTR result = run({[&] {
    DestroyWindow(frame);
    desk->inject(InputEvent{InputKind::MouseMove});
  }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_FALSE(IsWindow(frame));
  frame = nullptr;
}

TEST_F(DialogTest, MissingTemplateOrOwnerFails) {
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCE(4711), frame, endingProc, 0), -1);
  EXPECT_FALSE(EndDialog(frame, 1)) << "not a dialog";
}

}  // namespace
