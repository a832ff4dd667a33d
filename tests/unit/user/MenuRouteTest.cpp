// The framework over the menus: a frame made by LoadFrame gets its menu bar; before a popup
// opens, items whose command no object of the route handles turn grey and cannot be chosen;
// handled ones run their handler. CDialog::DoModal runs a template and OK ends it.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/user/MenuBar.h"
#include "platform/win32/user/Resources.h"
#include "tests/support/Desktop.h"

using namespace zorva::platform;

namespace {

constexpr UINT kFrameId = 931, kDialogId = 932;
constexpr UINT kUndo = 57643, kCut = 57635;

MENU_RESOURCE(kFrameId, POPUP("&Edit", MENUITEM("&Undo", kUndo), MENUITEM("Cu&t", kCut)));
STRINGTABLE_RESOURCE(STRING(kFrameId, "Route"));
ACCELERATORS_RESOURCE(kFrameId, ACCELKEY('Z', kUndo, FVIRTKEY | FCONTROL),
                      ACCELKEY('X', kCut, FVIRTKEY | FCONTROL));
DIALOG_RESOURCE(kDialogId, 0, 0, 80, 40, DS_MODALFRAME | WS_POPUP | WS_CAPTION, "Box",
                "MS Sans Serif", 8, DEFPUSHBUTTON("OK", IDOK, 20, 20, 40, 14));

int g_undone = 0;

class CRouteFrame : public CFrameWnd {
 public:
  void OnUndo() { ++g_undone; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRouteFrame, CFrameWnd)
  ON_COMMAND(kUndo, OnUndo)
END_MESSAGE_MAP()

class CInitDialog : public CDialog {
 public:
  CInitDialog() : CDialog(kDialogId) {}
  BOOL OnInitDialog() override {
    ++inits;
    return CDialog::OnInitDialog();
  }
  int inits = 0;
};

class MenuRouteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CRouteFrame;
    ASSERT_TRUE(frame->LoadFrame(kFrameId));
    hwnd = frame->GetSafeHwnd();
    frame->ShowWindow(SW_SHOW);
    // The frame's loop (the frame object goes with its window).
    desktop.preTranslate = [this](MSG& m) {
      if (::IsWindow(hwnd) && frame->PreTranslateMessage(&m)) return true;
      if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) ++keys_through;
      return false;
    };
    desktop.pumpUntilIdle();
    g_undone = 0;
  }
  void TearDown() override {
    desk->onIdle = nullptr;
    if (::IsWindow(hwnd)) frame->DestroyWindow();  // the frame deletes itself
    desktop.pumpUntilIdle();
  }
  void key(UINT vk, unsigned modifiers = 0) {
    desktop.key(vk, modifiers);
    desktop.pumpUntilIdle();
  }
  zorva::testing::Desktop desktop;
  HeadlessBackend* desk = &desktop.backend();
  CRouteFrame* frame = nullptr;
  HWND hwnd = nullptr;
  int keys_through = 0;  // key presses the frame's loop did not turn into commands
};

TEST_F(MenuRouteTest, UnhandledCommandsAreGreyAndDoNothing) {
  HMENU menu = ::GetMenu(hwnd);
  ASSERT_NE(menu, nullptr) << "LoadFrame gave the frame its menu";
  EXPECT_GT(menuBarHeight(hwnd), 0);
  key('E', ModAlt);
  ASSERT_TRUE(menuIsOpen(hwnd));
  HMENU edit = ::GetSubMenu(menu, 0);
  EXPECT_EQ(::GetMenuState(edit, kUndo, MF_BYCOMMAND) & MF_GRAYED, 0u) << "handled by the frame";
  EXPECT_EQ(::GetMenuState(edit, kCut, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED))
      << "no one handles Cut";
  key('T');  // Cut's mnemonic: grey, nothing happens
  EXPECT_TRUE(menuIsOpen(hwnd));
  key('U');
  EXPECT_FALSE(menuIsOpen(hwnd));
  EXPECT_EQ(g_undone, 1);
}

TEST_F(MenuRouteTest, AcceleratorsInTheFramesLoopFollowTheRoute) {
  key('Z', ModCtrl);
  EXPECT_EQ(g_undone, 1);
  EXPECT_EQ(keys_through, 0) << "Ctrl+Z became the command";
  key('Z');
  EXPECT_EQ(g_undone, 1) << "plain Z is no accelerator";
  EXPECT_EQ(keys_through, 1);
  key('X', ModCtrl);  // Cut: its item is grey, so the key does nothing
  EXPECT_EQ(keys_through, 1) << "but it is used up";
  EXPECT_EQ(::GetMenuState(::GetMenu(hwnd), kCut, MF_BYCOMMAND) & MF_GRAYED,
            static_cast<UINT>(MF_GRAYED))
      << "the route was asked before the key was translated";
  EXPECT_EQ(g_undone, 1);
}

TEST_F(MenuRouteTest, DoModalEndsWithOkAndBlocksTheFrame) {
  CInitDialog dialog;
  bool blocked = false;
  desk->onIdle = [&] {
    blocked = !::IsWindowEnabled(hwnd);
    InputEvent e{InputKind::KeyDown};
    e.virtual_key = VK_RETURN;
    desk->inject(e);
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.inits, 1);
  EXPECT_TRUE(blocked);
  EXPECT_TRUE(::IsWindowEnabled(hwnd));
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the object lets go of the closed window";
}

}  // namespace
