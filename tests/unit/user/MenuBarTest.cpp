// The frame's menu bar on the headless desktop: its pixels, popups opened by click, Alt plus
// the mnemonic and F10, grey items that do nothing, commands posted for enabled items, and the
// pixels under a popup put back exactly when it closes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/gdi/WinGdi.h"
#include "platform/win32/user/MenuBar.h"
#include "platform/win32/user/MenuLayout.h"
#include "platform/win32/user/MenuTable.h"
#include "platform/win32/user/Resources.h"
#include "platform/win32/user/WinUser.h"
#include "tests/support/Desktop.h"
#include "tests/support/MessageLog.h"

using namespace zorva::platform;
using namespace zorva::testing;

namespace {

constexpr UINT kMenuId = 911;
constexpr UINT kExit = 57665, kUndo = 57643, kCut = 57635, kAbout = 57664;

MENU_RESOURCE(kMenuId,
  POPUP("&File", MENUITEM("E&xit", kExit)),
  POPUP("&Edit",
    MENUITEM("&Undo\tCtrl+Z", kUndo),
    MENUITEM_SEPARATOR,
    MENUITEM("Cu&t\tCtrl+X", kCut)),
  POPUP("&Help", MENUITEM("&About Zorva...", kAbout)));

LRESULT CALLBACK frameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  messageLog().push_back({h, m, w, l});
  // The frame's own update: Cut is handled by no one.
  if (m == WM_INITMENUPOPUP) EnableMenuItem(reinterpret_cast<HMENU>(w), kCut, MF_GRAYED);
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);  // erases with the class brush
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

COLORREF sys(int index) { return GetSysColor(index); }

const LogFilter kCommands{{WM_COMMAND}};
const ExpectedMessage kUndoCommand[] = {{WM_COMMAND, kUndo}, {0}};

class MenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerWindowClass("MenuBarFrame", frameProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    frame = CreateWindowExA(0, "MenuBarFrame", "F", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                            300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(frame, nullptr);
    menu = LoadMenuA(nullptr, MAKEINTRESOURCE(kMenuId));
    ASSERT_TRUE(SetMenu(frame, menu));
    InvalidateRect(frame, nullptr, TRUE);
    desktop.pumpUntilIdle();
    messageLog().clear();
    font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    bar = layoutMenuBar(*MenuTable::instance().find(menu), font);
  }
  void TearDown() override {
    key(VK_ESCAPE);
    DestroyWindow(frame);
    DestroyMenu(menu);
    desktop.pumpUntilIdle();
  }
  // At a point of the content: the bar lies above the frame's client area.
  void click(int x, int y) {
    desktop.clickContent(x, y);
    desktop.pumpUntilIdle();
  }
  void key(UINT vk, unsigned modifiers = 0) {
    desktop.key(vk, modifiers);
    desktop.pumpUntilIdle();
  }
  PopupLayout popupLayout(int index) const {
    const MenuObject& popup = *MenuTable::instance().find(GetSubMenu(menu, index));
    return layoutPopup(popup, font, bar.titles[index], desk->contentWidth(),
                       desk->contentHeight());
  }
  // Pixels of `colour` inside [left,right) x [top,bottom).
  int pixelsOf(COLORREF colour, const PixelRect& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += desk->contentPixel(x, y) == colour;
    return n;
  }
  Desktop desktop;
  HeadlessBackend* desk = &desktop.backend();
  HWND frame = nullptr;
  HMENU menu = nullptr;
  HFONT font = nullptr;
  BarLayout bar;
};

TEST_F(MenuBarTest, BarRowsHoldTheTitlesOnTheMenuColour) {
  const int h = menuBarHeight(frame);
  ASSERT_EQ(h, bar.height);
  const int w = desk->contentWidth();
  std::vector<int> text_pixels(bar.titles.size(), 0);
  int stray = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF p = desk->contentPixel(x, y);
      if (p == sys(COLOR_MENU)) continue;
      const int title = hitIndex(bar.titles, x, y);
      // Text only in the menu-text colour, inside its title's padding.
      const bool placed = title >= 0 && p == sys(COLOR_MENUTEXT) &&
                          x >= bar.titles[title].left + kTitlePadPx &&
                          x < bar.titles[title].right - kTitlePadPx + 1 && y >= kBarPadTopPx;
      if (placed) ++text_pixels[title];
      else ++stray;
    }
  }
  EXPECT_EQ(stray, 0);
  for (size_t i = 0; i < text_pixels.size(); ++i) EXPECT_GT(text_pixels[i], 10) << "title " << i;
  // The client area starts under the bar.
  POINT origin{0, 0};
  ClientToScreen(frame, &origin);
  EXPECT_EQ(origin.y - desk->contentRect().top, h);
}

TEST_F(MenuBarTest, ClickOnATitleOpensItsPopupAndEscapeRestoresEveryPixel) {
  const std::vector<uint32_t> before = desk->contentPixels();
  click(bar.titles[1].left + 3, 8);
  ASSERT_TRUE(menuIsOpen(frame));
  const ExpectedMessage opened[] = {{WM_INITMENUPOPUP}, {0}};
  EXPECT_TRUE(LogMatches(opened, {{WM_INITMENUPOPUP, WM_LBUTTONDOWN}}))
      << "the popup's states brought up to date; the click belonged to the menu";
  const PopupLayout p = popupLayout(1);
  const PixelRect& b = p.box;
  // The 3D border: light outer top-left, dark outer bottom-right, white and grey inside.
  EXPECT_EQ(desk->contentPixel(b.left + 5, b.top), sys(COLOR_3DLIGHT));
  EXPECT_EQ(desk->contentPixel(b.left, b.top + 5), sys(COLOR_3DLIGHT));
  EXPECT_EQ(desk->contentPixel(b.left + 5, b.bottom - 1), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(desk->contentPixel(b.right - 1, b.top + 5), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(desk->contentPixel(b.left + 5, b.top + 1), sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(desk->contentPixel(b.right - 2, b.top + 5), sys(COLOR_BTNSHADOW));
  // Undo in menu text, the separator's two lines, Cut grey (its command is unhandled).
  EXPECT_GT(pixelsOf(sys(COLOR_MENUTEXT), p.items[0]), 10);
  const PixelRect& sep = p.items[1];
  const int line = sep.top + (sep.bottom - sep.top) / 2 - 1;
  EXPECT_EQ(pixelsOf(sys(COLOR_BTNSHADOW), PixelRect{sep.left + 1, line, sep.right - 1, line + 1}),
            sep.right - sep.left - 2);
  EXPECT_EQ(pixelsOf(sys(COLOR_BTNHIGHLIGHT),
                     PixelRect{sep.left + 1, line + 1, sep.right - 1, line + 2}),
            sep.right - sep.left - 2);
  EXPECT_EQ(pixelsOf(sys(COLOR_MENUTEXT), p.items[2]), 0);
  EXPECT_GT(pixelsOf(sys(COLOR_GRAYTEXT), p.items[2]), 10);
  // Accelerator text right-aligned: its last text column near the item's right padding.
  int last_text_x = -1;
  for (int x = p.items[0].left; x < p.items[0].right; ++x)
    for (int y = p.items[0].top; y < p.items[0].bottom; ++y)
      if (desk->contentPixel(x, y) == sys(COLOR_MENUTEXT)) last_text_x = x;
  EXPECT_LT(last_text_x, p.items[0].right - kItemRightPx);
  EXPECT_GE(last_text_x, p.items[0].right - kItemRightPx - 3);
  // The open title is drawn pressed; the bar otherwise as before.
  EXPECT_EQ(desk->contentPixel(bar.titles[1].left + 4, bar.titles[1].top), sys(COLOR_BTNSHADOW));
  // Nothing else changed: below the bar only the popup, in the bar only the open title.
  const int w = desk->contentWidth();
  int stray = 0;
  for (int y = 0; y < desk->contentHeight(); ++y)
    for (int x = 0; x < w; ++x)
      if (!b.contains(x, y) && !bar.titles[1].contains(x, y) &&
          desk->contentPixel(x, y) != before[y * w + x])
        ++stray;
  EXPECT_EQ(stray, 0);

  messageLog().clear();
  key(VK_ESCAPE);
  EXPECT_FALSE(menuIsOpen(frame));
  EXPECT_EQ(desk->contentPixels(), before) << "every pixel restored";
  EXPECT_TRUE(LogMatches(kNoMessages, {{WM_PAINT, WM_KEYDOWN}}))
      << "the view is not asked to repaint; Escape belonged to the menu";
}

TEST_F(MenuBarTest, EnabledItemsPostTheirCommandAndGreyOnesDoNothing) {
  const std::vector<uint32_t> before = desk->contentPixels();
  click(bar.titles[1].left + 3, 8);
  const PopupLayout p = popupLayout(1);
  click(p.items[2].left + 20, p.items[2].top + 4);  // Cut: grey
  EXPECT_TRUE(menuIsOpen(frame)) << "a grey item keeps the popup open";
  click(p.items[1].left + 20, p.items[1].top + 4);  // the separator
  EXPECT_TRUE(menuIsOpen(frame));
  EXPECT_TRUE(LogMatches(kNoMessages, kCommands));
  click(p.items[0].left + 20, p.items[0].top + 4);  // Undo
  EXPECT_FALSE(menuIsOpen(frame));
  EXPECT_TRUE(LogMatches(kUndoCommand, kCommands));
  EXPECT_EQ(desk->contentPixels(), before);
}

TEST_F(MenuBarTest, ClickOutsideOnlyClosesAndASecondTitleSwitches) {
  const std::vector<uint32_t> before = desk->contentPixels();
  click(bar.titles[0].left + 3, 8);
  ASSERT_TRUE(menuIsOpen(frame));
  click(bar.titles[2].left + 3, 8);  // another title: its popup replaces the first
  EXPECT_TRUE(menuIsOpen(frame));
  const ExpectedMessage twice[] = {{WM_INITMENUPOPUP}, {WM_INITMENUPOPUP}, {0}};
  EXPECT_TRUE(LogMatches(twice, {{WM_INITMENUPOPUP}}));
  click(300, 250);
  EXPECT_FALSE(menuIsOpen(frame));
  EXPECT_TRUE(LogMatches(kNoMessages, {{WM_LBUTTONDOWN, WM_COMMAND}}))
      << "the closing click goes nowhere";
  EXPECT_EQ(desk->contentPixels(), before);
  click(300, 250);
  const ExpectedMessage reached[] = {{WM_LBUTTONDOWN}, {0}};
  EXPECT_TRUE(LogMatches(reached, {{WM_LBUTTONDOWN}}))
      << "with the menu closed clicks reach the window";
}

TEST_F(MenuBarTest, KeyboardOpensMovesAndChooses) {
  const std::vector<uint32_t> before = desk->contentPixels();
  key('E', ModAlt);
  ASSERT_TRUE(menuIsOpen(frame));
  const PopupLayout p = popupLayout(1);
  EXPECT_GT(pixelsOf(sys(COLOR_HIGHLIGHT), p.items[0]), 0) << "the first item is lit";
  key(VK_DOWN);  // over the separator to Cut
  EXPECT_EQ(pixelsOf(sys(COLOR_HIGHLIGHT), p.items[0]), 0);
  EXPECT_GT(pixelsOf(sys(COLOR_HIGHLIGHT), p.items[2]), 0);
  key(VK_RETURN);  // Cut is grey: nothing
  EXPECT_TRUE(menuIsOpen(frame));
  key(VK_UP);
  key(VK_RETURN);
  EXPECT_FALSE(menuIsOpen(frame));
  EXPECT_TRUE(LogMatches(kUndoCommand, kCommands));
  EXPECT_EQ(desk->contentPixels(), before);

  key(VK_F10);  // the first popup
  EXPECT_TRUE(menuIsOpen(frame));
  key(VK_RIGHT);
  key(VK_RIGHT);  // Help
  key('A');       // its item's mnemonic
  const ExpectedMessage chosen[] = {{WM_COMMAND, kUndo}, {WM_COMMAND, kAbout}, {0}};
  EXPECT_TRUE(LogMatches(chosen, kCommands));
  EXPECT_TRUE(LogMatches(kNoMessages, {{WM_KEYDOWN, WM_SYSKEYDOWN}}))
      << "all keys belonged to the menu";
  key('Q', ModAlt);  // no title has Q: the key goes on to the window
  EXPECT_FALSE(menuIsOpen(frame));
  const ExpectedMessage passed[] = {{WM_SYSKEYDOWN}, {0}};
  EXPECT_TRUE(LogMatches(passed, {{WM_SYSKEYDOWN}}));
}

TEST_F(MenuBarTest, DisabledFrameKeepsItsMenuShut) {
  EnableWindow(frame, FALSE);
  key('E', ModAlt);
  click(bar.titles[1].left + 3, 8);
  EXPECT_FALSE(menuIsOpen(frame));
  EnableWindow(frame, TRUE);
  key('E', ModAlt);
  EXPECT_TRUE(menuIsOpen(frame));
}

}  // namespace

namespace {

TEST_F(MenuBarTest, APopupDrawnOverHasTheWindowRepaintInstead) {
  click(bar.titles[1].left + 3, 8);
  ASSERT_TRUE(menuIsOpen(frame));
  // The program draws into its client area under the open popup.
  HDC dc = GetDC(frame);
  const RECT all{0, 0, 400, 300};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(frame, dc);
  messageLog().clear();
  key(VK_ESCAPE);
  EXPECT_FALSE(menuIsOpen(frame));
  const ExpectedMessage repainted[] = {{WM_PAINT}, {0}};
  EXPECT_TRUE(LogMatches(repainted, {{WM_PAINT}}))
      << "the saved pixels are stale, so the window repaints";
  const PixelRect box = popupLayout(1).box;
  EXPECT_EQ(desk->contentPixel(box.left + 10, box.top + 10), sys(COLOR_WINDOW));
}

}  // namespace
