// The thread queue and the window tree on the headless desktop: order, filters, quit,
// input routing with client coordinates and double clicks, creation and destruction.
#include <gtest/gtest.h>

#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/user/WinUser.h"
#include "tests/support/Desktop.h"
#include "tests/support/MessageLog.h"

using namespace zorva::platform;
using namespace zorva::testing;

namespace {

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerWindowClass("QueuePlain", loggingProc);
    registerWindowClass("QueueDbl", loggingProc, nullptr, CS_DBLCLKS);
    drain();
    messageLog().clear();
  }
  // Dispatches what waits, so new windows have painted (the default procedure validates).
  void drain() {
    MSG m;
    for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i)
      DispatchMessageA(&m);
  }
  HWND top(const char* cls = "QueuePlain") {
    HWND h = CreateWindowExA(0, cls, "Top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 400, 300,
                             nullptr, nullptr, nullptr, nullptr);
    drain();
    return h;
  }
  HWND child(HWND parent, int x, int y, int w, int h, DWORD ex = 0, const char* cls = "QueuePlain") {
    HWND made_child = CreateWindowExA(ex, cls, "", WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                                      reinterpret_cast<HMENU>(7), nullptr, nullptr);
    drain();
    return made_child;
  }
  // At a content point: the desktop's own coordinates.
  void click(int cx, int cy, MouseButton b = MouseButton::Left) { desktop.clickContent(cx, cy, b); }
  std::vector<UINT> readAll(HWND filter = nullptr) {
    std::vector<UINT> out;
    MSG m;
    while (out.size() < 100 && PeekMessageA(&m, filter, 0, 0, PM_REMOVE)) out.push_back(m.message);
    return out;
  }
  Desktop desktop{1024, 738};
  HeadlessBackend* desk = &desktop.backend();
};

TEST_F(QueueTest, PostedOrderFiltersAndRemoval) {
  HWND a = top();
  HWND b = child(a, 0, 0, 10, 10);
  PostMessageA(a, WM_USER + 1, 0, 0);
  PostMessageA(b, WM_USER + 2, 0, 0);
  PostMessageA(nullptr, WM_USER + 3, 0, 0);
  PostMessageA(a, WM_USER + 4, 0, 0);
  MSG m;
  // Looking without removing leaves the message first in line.
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, UINT(WM_USER + 1));
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, UINT(WM_USER + 1));
  // A range read removes only what is inside it, leaving the rest in order.
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_USER + 2, WM_USER + 3, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_USER + 2));
  EXPECT_EQ(m.hwnd, b);
  EXPECT_FALSE(PeekMessageA(&m, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(readAll(a), (std::vector<UINT>{WM_USER + 1, WM_USER + 4}));
  EXPECT_EQ(readAll(), (std::vector<UINT>{WM_USER + 3}));
  EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x4), WM_USER, 0, 0));
}

TEST_F(QueueTest, QuitComesLastAndOnce) {
  HWND a = top();
  PostQuitMessage(3);
  PostMessageA(a, WM_USER, 0, 0);
  click(10, 10);
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
      << "quit must wait for the rest";
  std::vector<UINT> order = readAll();
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_QUIT}));
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  PostQuitMessage(5);
  EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
  EXPECT_EQ(m.wParam, WPARAM(5));
}

TEST_F(QueueTest, MouseGoesToTheChildUnderThePointerInItsClientCoordinates) {
  HWND a = top();
  HWND edged = child(a, 50, 40, 100, 80, WS_EX_CLIENTEDGE);
  RECT client;
  ASSERT_TRUE(GetClientRect(edged, &client));
  EXPECT_EQ(client.right, 96);
  EXPECT_EQ(client.bottom, 76);
  click(60, 45, MouseButton::Right);  // content point inside the child
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, edged);
  EXPECT_EQ(m.message, UINT(WM_RBUTTONDOWN));
  EXPECT_EQ(m.wParam, WPARAM(MK_RBUTTON));
  EXPECT_EQ(GET_X_LPARAM(m.lParam), 60 - 50 - 2);
  EXPECT_EQ(GET_Y_LPARAM(m.lParam), 45 - 40 - 2);
  POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  ClientToScreen(edged, &p);
  EXPECT_EQ(p.x, m.pt.x);
  EXPECT_EQ(p.y, m.pt.y);
  ScreenToClient(a, &p);
  EXPECT_EQ(p.x, 60);
  EXPECT_EQ(p.y, 45);
  drain();
  click(5, 5);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, a);
}

// Presses on a child's frame (client edge or border) are its non-client input: WM_NC* with
// HTBORDER and the screen point. Inside the client area, and outside the child, nothing changes.
TEST_F(QueueTest, PressesOnAChildsFrameAreNonClientMessagesAtTheScreenPoint) {
  HWND a = top();
  HWND edged = child(a, 50, 40, 100, 80, WS_EX_CLIENTEDGE);  // client area 96 x 76
  HWND bordered = CreateWindowExA(0, "QueuePlain", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 200, 40,
                                  60, 30, a, nullptr, nullptr, nullptr);
  drain();
  struct Row {
    const char* what;
    int x, y;  // content point (a has no menu: its client coordinates)
    HWND window;
    UINT down, up;
    int lx, ly;  // client point, or screen point for WM_NC*
  };
  POINT origin{0, 0};
  ClientToScreen(a, &origin);
  const int sx = origin.x, sy = origin.y;
  const Row rows[] = {
      {"outer edge line, top left", 50, 40, edged, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, sx + 50, sy + 40},
      {"inner edge line, top left", 51, 41, edged, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, sx + 51, sy + 41},
      {"first client pixel", 52, 42, edged, WM_LBUTTONDOWN, WM_LBUTTONUP, 0, 0},
      {"last client pixel", 147, 117, edged, WM_LBUTTONDOWN, WM_LBUTTONUP, 95, 75},
      {"inner edge line, bottom right", 148, 118, edged, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP,
       sx + 148, sy + 118},
      {"outer edge line, bottom right", 149, 119, edged, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP,
       sx + 149, sy + 119},
      {"past the child, in the parent", 150, 120, a, WM_LBUTTONDOWN, WM_LBUTTONUP, 150, 120},
      {"border of a WS_BORDER child", 259, 55, bordered, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP,
       sx + 259, sy + 55},
      {"inside the border", 258, 55, bordered, WM_LBUTTONDOWN, WM_LBUTTONUP, 57, 14},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    click(row.x, row.y);
    for (UINT expected : {row.down, row.up}) {
      MSG m;
      ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
      EXPECT_EQ(m.hwnd, row.window);
      EXPECT_EQ(m.message, expected);
      const bool frame = expected == WM_NCLBUTTONDOWN || expected == WM_NCLBUTTONUP;
      EXPECT_EQ(m.wParam, frame ? WPARAM(HTBORDER) : WPARAM(expected == row.down ? MK_LBUTTON : 0));
      EXPECT_EQ(GET_X_LPARAM(m.lParam), row.lx);
      EXPECT_EQ(GET_Y_LPARAM(m.lParam), row.ly);
    }
    drain();
  }
  // The other buttons and moves on the frame have their WM_NC* messages too.
  click(50, 60, MouseButton::Right);
  InputEvent move;
  move.kind = InputKind::MouseMove;
  move.x = 149;
  move.y = 60;
  desk->inject(move);
  EXPECT_EQ(readAll(), (std::vector<UINT>{WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCMOUSEMOVE}));
  // The window holding the capture gets client messages wherever the pointer is.
  SetCapture(edged);
  click(50, 40);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_LBUTTONDOWN));
  EXPECT_EQ(GET_X_LPARAM(m.lParam), -2);
  EXPECT_EQ(GET_Y_LPARAM(m.lParam), -2);
  ReleaseCapture();
  drain();
}

TEST_F(QueueTest, APressOnTheFrameIsNoHalfOfADoubleClick) {
  HWND a = top();
  HWND edged = child(a, 50, 40, 100, 80, WS_EX_CLIENTEDGE, "QueueDbl");
  click(52, 42);
  click(52, 42);
  EXPECT_EQ(readAll(edged), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                               WM_LBUTTONUP}))
      << "two presses on the client area's corner pair up";
  click(52, 42);
  click(51, 41);  // on the inner edge line, within the double-click box
  click(52, 42);
  EXPECT_EQ(readAll(edged), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NCLBUTTONDOWN,
                                               WM_NCLBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(QueueTest, DoubleClicksOnlyForClassesThatAskAndOnlyWhenTheQueueIsRead) {
  HWND a = top();
  HWND plain = child(a, 0, 0, 50, 50);
  HWND dbl = child(a, 100, 0, 50, 50, 0, "QueueDbl");
  (void)plain;
  click(10, 10);
  click(10, 10);
  EXPECT_TRUE(desk->hasPendingInput()) << "input must wait until the queue is read";
  EXPECT_EQ(readAll(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN,
                                          WM_LBUTTONUP}));
  click(110, 10);
  click(111, 11);
  click(111, 11);
  EXPECT_EQ(readAll(dbl), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                             WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
  desk->advanceClock(600);  // the third click above must not pair with the next one
  click(110, 10);
  desk->advanceClock(600);
  click(110, 10);
  EXPECT_EQ(readAll(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN,
                                          WM_LBUTTONUP}));
}

TEST_F(QueueTest, CreateDestroyAndCloseRequest) {
  HWND a = top();
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(desk->windowCreated());
  EXPECT_TRUE(desk->windowVisible());
  RECT outer;
  GetWindowRect(a, &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.right, 500);
  HWND c = child(a, 1, 1, 5, 5);
  EXPECT_EQ(GetParent(c), a);
  EXPECT_EQ(GetDlgItem(a, 7), c);
  SetFocus(c);
  EXPECT_EQ(GetFocus(), c);
  messageLog().clear();
  desktop.requestClose();
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_CLOSE));
  DispatchMessageA(&m);
  EXPECT_FALSE(IsWindow(a));
  EXPECT_FALSE(IsWindow(c));
  EXPECT_EQ(GetFocus(), nullptr);
  const ExpectedMessage closing[] = {{WM_CLOSE},
                                     {WM_DESTROY, {}, {}, a},
                                     {WM_DESTROY, {}, {}, c},  // parent first, then child
                                     {WM_NCDESTROY},
                                     {WM_NCDESTROY, {}, {}, a},
                                     {0}};
  EXPECT_TRUE(LogMatches(closing));
  EXPECT_FALSE(DestroyWindow(a));
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
}

TEST_F(QueueTest, DesktopCalls) {
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.right, 1024);
  EXPECT_EQ(work.bottom, 738);
  EXPECT_FALSE(SystemParametersInfoA(0x1234, 0, &work, 0));
  EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
  desk->answerMessageBoxes({IDNO});
  EXPECT_EQ(MessageBoxA(nullptr, "Text", "Cap", MB_YESNO), IDNO);
  ASSERT_EQ(desk->messageBoxes().size(), 1u);
  MessageBeep(MB_ICONHAND);
  EXPECT_EQ(desk->beeps().size(), 1u);
}

}  // namespace

namespace {

TEST_F(QueueTest, PaintIsAskedForAfterEverythingElseUntilValidated) {
  HWND a = top();
  HWND c = child(a, 10, 10, 50, 50);
  drain();
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  RECT part{40, 40, 100, 100};
  InvalidateRect(c, &part, TRUE);
  PostMessageA(a, WM_USER, 0, 0);
  // readAll stops at 100: the posted message, then the same paint request over and over.
  EXPECT_EQ(readAll().size(), 100u) << "paint repeats while the window stays invalid";
  RECT u;
  ASSERT_TRUE(GetUpdateRect(c, &u, FALSE));
  EXPECT_EQ(u.left, 40);
  EXPECT_EQ(u.right, 50) << "clipped to the client area";
  ASSERT_TRUE(PeekMessageA(&m, a, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, c);
  EXPECT_EQ(m.message, UINT(WM_PAINT));
  EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_REMOVE));
  messageLog().clear();
  UpdateWindow(c);
  // The paint, and inside it the erase the invalidation asked for.
  const ExpectedMessage painting[] = {{WM_PAINT}, {WM_ERASEBKGND}, {0}};
  EXPECT_TRUE(LogMatches(painting));
  ValidateRect(c, nullptr);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  messageLog().clear();
  UpdateWindow(c);
  EXPECT_TRUE(LogMatches(kNoMessages)) << "nothing invalid, nothing painted";
  // Leaving the paint to the default procedure validates the window.
  InvalidateRect(c, nullptr, FALSE);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageA(&m);
  EXPECT_FALSE(GetUpdateRect(c, nullptr, FALSE));
}

}  // namespace
