// Accelerator tables: exact modifier matching, WM_COMMAND with 1 in the high word, keys whose
// menu item is grey doing nothing, and tables that are gone.
#include <gtest/gtest.h>

#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/user/MenuBar.h"
#include "platform/win32/user/MenuKeys.h"
#include "platform/win32/user/Resources.h"
#include "platform/win32/user/WinUser.h"
#include "tests/support/Desktop.h"
#include "tests/support/MessageLog.h"

using namespace zorva::platform;
using namespace zorva::testing;

namespace {

constexpr UINT kTable = 902, kMenu = 903;
constexpr WORD kCopy = 57634, kPaste = 57637, kUndo = 57643, kCut = 57635, kNext = 57680,
               kPrev = 57681;

ACCELERATORS_RESOURCE(kTable,
  ACCELKEY('C', kCopy, FVIRTKEY | FCONTROL),
  ACCELKEY(VK_BACK, kUndo, FVIRTKEY | FALT),
  ACCELKEY(VK_DELETE, kCut, FVIRTKEY | FSHIFT),
  ACCELKEY(VK_F6, kNext, FVIRTKEY),
  ACCELKEY(VK_F6, kPrev, FVIRTKEY | FSHIFT),
  ACCELKEY(VK_INSERT, kPaste, FVIRTKEY | FSHIFT));

MENU_RESOURCE(kMenu, POPUP("&Edit", MENUITEM("&Copy\tCtrl+C", kCopy), MENUITEM("&Undo", kUndo)));

UINT g_greyOnInit = 0;  // a command the frame greys whenever a popup is about to open

LRESULT CALLBACK frameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_INITMENUPOPUP && g_greyOnInit)
    EnableMenuItem(reinterpret_cast<HMENU>(w), g_greyOnInit, MF_GRAYED);
  return loggingProc(h, m, w, l);
}

const LogFilter kCommands{{WM_COMMAND}};

class AcceleratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::install();
    registerWindowClass("AccelFrame", frameProc);
    frame = CreateWindowExA(0, "AccelFrame", "F", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                            nullptr, nullptr, nullptr);
    table = LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(kTable));
    messageLog().clear();
    g_greyOnInit = 0;
  }
  void TearDown() override {
    DestroyAcceleratorTable(table);
    DestroyWindow(frame);
  }
  // A key press as the desktop gives it (the window code hands it to the menu first), and the
  // message it becomes.
  int press(UINT vk, unsigned modifiers) {
    InputEvent e;
    e.kind = InputKind::KeyDown;
    e.virtual_key = vk;
    e.modifiers = modifiers;
    e.time_ms = ++now;
    menuTakesInput(frame, e);
    const bool alt = modifiers & ModAlt;
    MSG msg{frame, static_cast<UINT>(alt ? WM_SYSKEYDOWN : WM_KEYDOWN), vk,
            static_cast<LPARAM>(1 | (alt ? (1L << 29) : 0)), static_cast<DWORD>(now), {0, 0}};
    return TranslateAcceleratorA(frame, table, &msg);
  }
  HWND frame = nullptr;
  HACCEL table = nullptr;
  DWORD now = 1000;
};

TEST(AcceleratorMatch, ModifiersMustMatchExactly) {
  const std::vector<ACCEL> table = {{FVIRTKEY | FCONTROL, 'C', kCopy},
                                    {FVIRTKEY, VK_F6, kNext},
                                    {FVIRTKEY | FSHIFT, VK_F6, kPrev},
                                    {FCONTROL, 'V', kPaste}};
  struct Row {
    UINT vk;
    unsigned mods;
    int cmd;  // -1: no entry
  } rows[] = {
      {'C', ModCtrl, kCopy},
      {'C', 0, -1},                      // Ctrl missing
      {'C', ModCtrl | ModShift, -1},     // Shift extra
      {'C', ModCtrl | ModAlt, -1},       // Alt extra
      {VK_F6, 0, kNext},
      {VK_F6, ModShift, kPrev},
      {VK_F6, ModCtrl, -1},
      {'V', ModCtrl, -1},                // not a virtual-key entry
      {'X', ModCtrl, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "vk " << r.vk << " mods " << r.mods);
    const ACCEL* hit = matchAccelerator(table, r.vk, r.mods);
    if (r.cmd < 0) {
      EXPECT_EQ(hit, nullptr);
    } else {
      ASSERT_NE(hit, nullptr);
      EXPECT_EQ(hit->cmd, r.cmd);
    }
  }
}

TEST_F(AcceleratorTest, KeysBecomeCommandsWithOneInTheHighWord) {
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(press('C', ModCtrl), 1);
  EXPECT_EQ(press(VK_F6, 0), 1);
  EXPECT_EQ(press(VK_F6, ModShift), 1);
  EXPECT_EQ(press(VK_BACK, ModAlt), 1);
  EXPECT_EQ(press(VK_DELETE, ModShift), 1);
  EXPECT_EQ(press('C', 0), 0) << "plain C is typing, not a command";
  EXPECT_EQ(press(VK_DELETE, ModCtrl), 0);
  const ExpectedMessage commands[] = {
      {WM_COMMAND, MAKELONG(kCopy, 1)}, {WM_COMMAND, MAKELONG(kNext, 1)},
      {WM_COMMAND, MAKELONG(kPrev, 1)}, {WM_COMMAND, MAKELONG(kUndo, 1)},
      {WM_COMMAND, MAKELONG(kCut, 1)},  {0}};
  EXPECT_TRUE(LogMatches(commands, kCommands));
}

TEST_F(AcceleratorTest, StateIsTheOneAtEachMessage) {
  // Two presses arrive before either message is read: each keeps its own modifiers.
  InputEvent first{InputKind::KeyDown};
  first.virtual_key = VK_F6;
  first.modifiers = ModShift;
  first.time_ms = 5000;
  InputEvent second = first;
  second.modifiers = 0;
  menuTakesInput(frame, first);
  menuTakesInput(frame, second);
  MSG msg{frame, WM_KEYDOWN, VK_F6, 1, 5000, {0, 0}};
  TranslateAcceleratorA(frame, table, &msg);
  TranslateAcceleratorA(frame, table, &msg);
  const ExpectedMessage commands[] = {
      {WM_COMMAND, MAKELONG(kPrev, 1)}, {WM_COMMAND, MAKELONG(kNext, 1)}, {0}};
  EXPECT_TRUE(LogMatches(commands, kCommands));
}

TEST_F(AcceleratorTest, OnlyKeyDownMessagesAndLiveTablesTranslate) {
  MSG up{frame, WM_KEYUP, VK_F6, static_cast<LPARAM>(3L << 30), 0, {0, 0}};
  EXPECT_EQ(TranslateAcceleratorA(frame, table, &up), 0);
  MSG chr{frame, WM_CHAR, 'c', 1, 0, {0, 0}};
  EXPECT_EQ(TranslateAcceleratorA(frame, table, &chr), 0);
  MSG down{frame, WM_KEYDOWN, VK_F6, 1, 0, {0, 0}};
  EXPECT_EQ(TranslateAcceleratorA(nullptr, table, &down), 0) << "no window";
  EXPECT_EQ(TranslateAcceleratorA(frame, table, nullptr), 0);
  EXPECT_TRUE(DestroyAcceleratorTable(table));
  EXPECT_EQ(TranslateAcceleratorA(frame, table, &down), 0) << "table destroyed";
  EXPECT_FALSE(DestroyAcceleratorTable(table));
  EXPECT_EQ(LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(4711)), nullptr);
  EXPECT_TRUE(LogMatches(kNoMessages, kCommands));
  table = nullptr;
}

TEST_F(AcceleratorTest, GreyMenuItemsSwallowTheirKeys) {
  HMENU menu = LoadMenuA(nullptr, MAKEINTRESOURCE(kMenu));
  ASSERT_TRUE(SetMenu(frame, menu));
  g_greyOnInit = kCopy;  // the frame's own update greys Copy before the key is translated
  EXPECT_EQ(press('C', ModCtrl), 1) << "the key is used up";
  // The popup's states were brought up to date, but a grey command is not sent.
  const ExpectedMessage updated[] = {{WM_INITMENUPOPUP}, {0}};
  EXPECT_TRUE(LogMatches(updated, {{WM_INITMENUPOPUP, WM_COMMAND}}));
  // Commands without a menu item (the pane keys) are sent as they are.
  EXPECT_EQ(press(VK_F6, 0), 1);
  const ExpectedMessage next[] = {{WM_COMMAND, MAKELONG(kNext, 1)}, {0}};
  EXPECT_TRUE(LogMatches(next, kCommands));
  SetMenu(frame, nullptr);
  DestroyMenu(menu);
}

}  // namespace
