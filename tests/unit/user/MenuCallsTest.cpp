// Menus loaded from resources: structure, attaching to a window, item states by command and by
// position, and the layout shared by drawing and hit tests.
#include <gtest/gtest.h>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/gdi/TextRenderer.h"
#include "platform/win32/gdi/WinGdi.h"
#include "platform/win32/user/MenuBar.h"
#include "platform/win32/user/MenuLayout.h"
#include "platform/win32/user/MenuTable.h"
#include "platform/win32/user/Resources.h"
#include "platform/win32/user/WinUser.h"
#include "tests/support/Desktop.h"

using namespace zorva::platform;

namespace {

constexpr UINT kMenuId = 901;
constexpr UINT kExit = 57665, kUndo = 57643, kCut = 57635, kAbout = 57664;

MENU_RESOURCE(kMenuId,
  POPUP("&File", MENUITEM("E&xit", kExit)),
  POPUP("&Edit",
    MENUITEM("&Undo\tCtrl+Z", kUndo),
    MENUITEM_SEPARATOR,
    MENUITEM("Cu&t\tCtrl+X", kCut)),
  POPUP("&Help", MENUITEM("&About Zorva...", kAbout)));

LRESULT CALLBACK plainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

class MenuCallsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::install();
    zorva::testing::registerWindowClass("MenuCallsFrame", plainProc);
    menu = LoadMenuA(nullptr, MAKEINTRESOURCE(kMenuId));
    ASSERT_NE(menu, nullptr);
  }
  void TearDown() override {
    if (frame) DestroyWindow(frame);
    DestroyMenu(menu);
  }
  HWND makeFrame() {
    frame = CreateWindowExA(0, "MenuCallsFrame", "F", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                            nullptr, nullptr, nullptr, nullptr);
    return frame;
  }
  HMENU menu = nullptr;
  HWND frame = nullptr;
};

TEST_F(MenuCallsTest, StructureFollowsTheResource) {
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(GetMenuItemID(menu, 0), 0xFFFFFFFFu) << "a popup has no command id";
  HMENU edit = GetSubMenu(menu, 1);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetMenuItemCount(edit), 3);
  EXPECT_EQ(GetMenuItemID(edit, 0), kUndo);
  EXPECT_EQ(GetMenuItemID(edit, 1), 0u) << "separator";
  EXPECT_EQ(GetMenuItemID(edit, 2), kCut);
  EXPECT_EQ(GetMenuItemID(edit, 3), 0xFFFFFFFFu) << "past the end";
  EXPECT_EQ(GetSubMenu(edit, 0), nullptr) << "a command is no popup";
  EXPECT_EQ(GetSubMenu(menu, -1), nullptr);
  EXPECT_EQ(GetMenuState(edit, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ((GetMenuState(menu, 1, MF_BYPOSITION) >> 8) & 0xFF, 3u) << "popup item count";
  EXPECT_EQ(LoadMenuA(nullptr, MAKEINTRESOURCE(kMenuId + 1)), nullptr) << "no such resource";
}

TEST_F(MenuCallsTest, EnableByCommandAndByPositionReturnsThePreviousState) {
  HMENU edit = GetSubMenu(menu, 1);
  EXPECT_EQ(EnableMenuItem(menu, kCut, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED)
      << "by command reaches into popups";
  EXPECT_EQ(GetMenuState(edit, kCut, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(edit, 2, MF_BYPOSITION | MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(GetMenuState(edit, 2, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), 0u);
  EXPECT_EQ(EnableMenuItem(edit, 0, MF_BYPOSITION | MF_DISABLED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(menu, kUndo, MF_BYCOMMAND) & MF_DISABLED, static_cast<UINT>(MF_DISABLED));
  // Unknown items and flags that mean nothing here are refused with -1.
  EXPECT_EQ(EnableMenuItem(menu, 4242, MF_GRAYED), -1);
  EXPECT_EQ(EnableMenuItem(edit, 9, MF_BYPOSITION | MF_GRAYED), -1);
  EXPECT_EQ(EnableMenuItem(menu, kCut, MF_GRAYED | MF_POPUP), -1);
  EXPECT_EQ(CheckMenuItem(menu, kAbout, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(menu, kAbout, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
}

TEST_F(MenuCallsTest, SetMenuAttachesAndDestroyedMenusAreGone) {
  HWND f = makeFrame();
  EXPECT_EQ(GetMenu(f), nullptr);
  EXPECT_EQ(menuBarHeight(f), 0);
  ASSERT_TRUE(SetMenu(f, menu));
  EXPECT_EQ(GetMenu(f), menu);
  const HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  EXPECT_EQ(menuBarHeight(f), fontLineHeight(font) + kBarPadTopPx + kBarPadBottomPx);
  EXPECT_GE(menuBarHeight(f), 18);
  EXPECT_FALSE(SetMenu(f, reinterpret_cast<HMENU>(0x7777))) << "not a menu";
  EXPECT_EQ(GetMenu(f), menu);
  HMENU edit = GetSubMenu(menu, 1);
  ASSERT_TRUE(DestroyMenu(menu));
  EXPECT_EQ(GetMenu(f), nullptr) << "a destroyed menu is no longer the window's";
  EXPECT_EQ(menuBarHeight(f), 0);
  EXPECT_EQ(GetMenuItemCount(edit), -1) << "popups go with their menu";
  EXPECT_FALSE(DestroyMenu(menu));
  menu = nullptr;
}

TEST(MenuText, LabelsAcceleratorsAndMnemonics) {
  struct Row {
    const char* text;
    const char* label;
    const char* accel;
    const char* visible;
    char mnemonic;
  } rows[] = {
      {"&Undo\tCtrl+Z", "&Undo", "Ctrl+Z", "Undo", 'U'},
      {"Cu&t\tCtrl+X", "Cu&t", "Ctrl+X", "Cut", 'T'},
      {"E&xit", "E&xit", "", "Exit", 'X'},
      {"Salt && &Pepper", "Salt && &Pepper", "", "Salt & Pepper", 'P'},
      {"A&&B", "A&&B", "", "A&B", 0},
      {"Plain", "Plain", "", "Plain", 0},
      {"Trailing&", "Trailing&", "", "Trailing", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(menuLabel(r.text), r.label);
    EXPECT_EQ(menuAccelText(r.text), r.accel);
    EXPECT_EQ(menuVisibleText(menuLabel(r.text)), r.visible);
    EXPECT_EQ(menuMnemonic(r.text), r.mnemonic);
  }
}

TEST_F(MenuCallsTest, PopupsNearTheEdgeMoveToStayOnTheSurface) {
  const HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  const MenuObject& edit = *MenuTable::instance().find(GetSubMenu(menu, 1));
  const PopupLayout free = layoutPopup(edit, font, PixelRect{10, 1, 50, 19}, 400, 600);
  EXPECT_EQ(free.box.left, 10);
  EXPECT_EQ(free.box.top, 20) << "just under the title's row";
  const PopupLayout moved = layoutPopup(edit, font, PixelRect{380, 1, 420, 19}, 400, 600);
  EXPECT_EQ(moved.box.right, 400);
  EXPECT_EQ(moved.box.right - moved.box.left, free.box.right - free.box.left);
  const PopupLayout low = layoutPopup(edit, font, PixelRect{10, 1, 50, 19}, 400, 60);
  EXPECT_EQ(low.box.bottom, 60) << "moved up when the surface is short";
  EXPECT_EQ(low.items[0].top, low.box.top + kPopupBorderPx);
}

}  // namespace
