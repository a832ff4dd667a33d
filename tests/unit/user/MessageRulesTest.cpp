// The window manager's decisions as tables: filtered reads, double clicks, hit testing.
#include <gtest/gtest.h>

#include "platform/win32/user/MessageRules.h"

using namespace zorva::platform;

namespace {

HWND handle(uintptr_t n) { return reinterpret_cast<HWND>(n); }
// Window 2 is a child of window 1.
bool childOfOne(HWND w, HWND a) { return w == handle(2) && a == handle(1); }

TEST(MessageFilter, Table) {
  struct Row {
    const char* label;
    HWND msg_window;
    UINT message;
    HWND filter;
    UINT min, max;
    bool expected;
  };
  const Row rows[] = {
      {"unfiltered takes anything", handle(1), WM_PAINT, nullptr, 0, 0, true},
      {"unfiltered takes thread messages", nullptr, WM_USER, nullptr, 0, 0, true},
      {"window filter takes its own", handle(1), WM_USER, handle(1), 0, 0, true},
      {"window filter takes its child's", handle(2), WM_USER, handle(1), 0, 0, true},
      {"window filter skips others", handle(3), WM_USER, handle(1), 0, 0, false},
      {"window filter skips thread messages", nullptr, WM_USER, handle(1), 0, 0, false},
      {"range lower bound inclusive", handle(1), WM_MOUSEFIRST, nullptr, WM_MOUSEFIRST,
       WM_MOUSELAST, true},
      {"range upper bound inclusive", handle(1), WM_MOUSELAST, nullptr, WM_MOUSEFIRST,
       WM_MOUSELAST, true},
      {"below range", handle(1), WM_KEYDOWN, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, false},
      {"above range", handle(1), WM_USER, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, false},
      {"inverted range takes nothing", handle(1), WM_USER, nullptr, WM_USER + 5, WM_USER, false},
      {"quit ignores the range", nullptr, WM_QUIT, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, true},
      {"quit ignores the window", nullptr, WM_QUIT, handle(1), WM_USER, WM_USER, true},
  };
  for (const Row& r : rows) {
    MSG m{};
    m.hwnd = r.msg_window;
    m.message = r.message;
    EXPECT_EQ(messageMatchesFilter(m, r.filter, r.min, r.max, childOfOne), r.expected) << r.label;
  }
}

TEST(DoubleClick, Table) {
  const ClickRecord first{true, handle(1), 0, 100, 100, 1000};
  struct Row {
    const char* label;
    ClickRecord previous;
    ClickRecord next;
    bool dblclks;
    bool expected;
  };
  const Row rows[] = {
      {"same place soon", first, {true, handle(1), 0, 100, 100, 1200}, true, true},
      {"at the time limit", first, {true, handle(1), 0, 100, 100, 1500}, true, true},
      {"too late", first, {true, handle(1), 0, 100, 100, 1501}, true, false},
      {"class without double clicks", first, {true, handle(1), 0, 100, 100, 1100}, false, false},
      {"edge of the box", first, {true, handle(1), 0, 102, 98, 1100}, true, true},
      {"outside the box", first, {true, handle(1), 0, 103, 100, 1100}, true, false},
      {"other button", first, {true, handle(1), 1, 100, 100, 1100}, true, false},
      {"other window", first, {true, handle(2), 0, 100, 100, 1100}, true, false},
      {"no first click", ClickRecord{}, {true, handle(1), 0, 100, 100, 1100}, true, false},
      {"clock went back", first, {true, handle(1), 0, 100, 100, 900}, true, false},
  };
  for (const Row& r : rows)
    EXPECT_EQ(isDoubleClick(r.previous, r.next, r.dblclks), r.expected) << r.label;
}

TEST(HitTest, Table) {
  // Top (0,0)-(200,200); child A (10,10)-(110,110) with grandchild A1 (20,20)-(60,60);
  // child B (80,80)-(150,150) created after A, so on top where they overlap; hidden C.
  const std::vector<WindowBox> boxes = {
      {handle(1), nullptr, {0, 0, 200, 200}, 0, true},
      {handle(2), handle(1), {10, 10, 110, 110}, 1, true},
      {handle(3), handle(2), {20, 20, 60, 60}, 2, true},
      {handle(4), handle(1), {80, 80, 150, 150}, 1, true},
      {handle(5), handle(1), {160, 160, 190, 190}, 1, false},
      {handle(6), handle(4), {0, 0, 10, 10}, 2, true},  // outside its parent
  };
  struct Row {
    const char* label;
    int x, y;
    HWND expected;
  };
  const Row rows[] = {
      {"top-level only", 5, 5, handle(1)},
      {"child", 15, 15, handle(2)},
      {"grandchild", 30, 30, handle(3)},
      {"right edge is outside", 60, 30, handle(2)},
      {"later sibling on top", 90, 90, handle(4)},
      {"hidden child passes through", 170, 170, handle(1)},
      {"outside everything", 250, 5, nullptr},
  };
  for (const Row& r : rows) EXPECT_EQ(hitTestWindows(boxes, r.x, r.y), r.expected) << r.label;
}

}  // namespace
