// Role selection, the click router and how runs end on quit or on the book's destruction.
#include "tests/unit/lesson/BookFixture.h"

using namespace lessontest;

namespace {

std::unique_ptr<CLessonBook>* g_doomed = nullptr;
const UINT kDestroyBook = WM_USER + 1;

LRESULT CALLBACK DestroyingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kDestroyBook && g_doomed != nullptr) {
    g_doomed->reset();  // what closing the main window does to the book mid-run
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

class RolesTest : public BookTest {
protected:
  CLessonBook& bookWithPage(std::vector<lk::Item> items) {
    writeRaw("14101.pge", lk::pageFile(page("14101.pge", "", "", std::move(items))).bytes);
    CLessonBook& book = makeBook();
    book.OpenLesson(0, &dc_);
    return book;
  }
  static std::vector<bool> roles(CLessonBook& book) {
    std::vector<bool> out;
    for (int i = 0; i < book.m_nItems; i++) out.push_back(book.m_items[i]->m_bLearnerRole);
    return out;
  }
};

TEST_F(RolesTest, ChainZeroToTwoTogglesExactlyThoseItems) {
  CLessonBook& book = bookWithPage(
      {silentItem(200, 100, 0, 2), silentItem(300, 100, 1, -1), silentItem(400, 100, 0, -1)});
  book.ToggleRole(0, &dc_);
  EXPECT_EQ(roles(book), (std::vector<bool>{true, false, true}));
  EXPECT_STREQ((LPCTSTR)book.m_buttons[CLessonBook::kRepeatButton]->m_strCaption, "Roleplay");
  EXPECT_EQ(book.m_bRolePlay, 1);
  book.ToggleRole(0, &dc_);
  EXPECT_EQ(roles(book), (std::vector<bool>{false, false, false}));
  EXPECT_STREQ((LPCTSTR)book.m_buttons[CLessonBook::kRepeatButton]->m_strCaption,
               "Repeat after me");
  EXPECT_EQ(book.m_bRolePlay, 0);
}

TEST_F(RolesTest, DeselectingOneOfTwoChainsKeepsRoleplay) {
  CLessonBook& book = bookWithPage(
      {silentItem(200, 100, 0, 2), silentItem(300, 100, 1, -1), silentItem(400, 100, 0, -1)});
  book.ToggleRole(0, &dc_);
  book.ToggleRole(1, &dc_);
  book.ToggleRole(0, &dc_);
  EXPECT_EQ(roles(book), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(book.m_bRolePlay, 1);
  // A new page brings back "Repeat after me".
  book.LoadPage("14101.pge", 0, &dc_);
  EXPECT_EQ(book.m_bRolePlay, 0);
  EXPECT_STREQ((LPCTSTR)book.m_buttons[CLessonBook::kRepeatButton]->m_strCaption,
               "Repeat after me");
}

TEST_F(RolesTest, BrokenChainsStayInsideTheTableAndEnd) {
  // Item 0 links outside the page; items 1 and 2 link to each other in a circle.
  CLessonBook& book = bookWithPage(
      {silentItem(200, 100, 0, 7), silentItem(300, 100, 1, 2), silentItem(400, 100, 1, 1)});
  book.ToggleRole(0, &dc_);
  EXPECT_EQ(roles(book), (std::vector<bool>{true, false, false}));
  // Must end: the circle is followed until it comes back to an item it has passed, so each
  // of items 1 and 2 is inverted once.
  book.ToggleRole(1, &dc_);
  EXPECT_EQ(roles(book), (std::vector<bool>{true, true, true}));
  book.ToggleRole(5, &dc_);  // a head outside the page changes nothing
  EXPECT_EQ(roles(book), (std::vector<bool>{true, true, true}));
}

TEST_F(RolesTest, RoleRectangleOfAnItemWithoutRoleFallsThrough) {
  CLessonBook& book = bookWithPage({silentItem(200, 100, -1, -1), silentItem(200, 100, 1, -1)});
  // Both role rectangles contain the point; the first has no role and is passed over.
  book.HandleClick(CPoint(205, 135), &dc_);
  EXPECT_EQ(roles(book), (std::vector<bool>{false, true}));
}

TEST_F(RolesTest, QuitDuringARunEndsItAndIsPostedAgain) {
  CLessonBook& book = bookWithPage({silentItem(200, 100), silentItem(300, 100)});
  ::PostQuitMessage(3);
  book.OnControlButton(1, &dc_);
  EXPECT_EQ(book.m_buttons[CLessonBook::kPlayButton]->m_nState, 0);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, (UINT)WM_QUIT);
  EXPECT_EQ(msg.wParam, (WPARAM)3);
}

// Run under AddressSanitizer in CI: a touch of the deleted book or items fails there.
TEST_F(RolesTest, DestroyingTheBookDuringEachRunEndsTheRunSafely) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DestroyingProc;
  wc.lpszClassName = "ZorvaDoomedBook";
  ::RegisterClassA(&wc);
  HWND hwnd = ::CreateWindowA("ZorvaDoomedBook", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  ASSERT_NE(hwnd, (HWND)NULL);
  for (short control : {1, 3, 4, 5}) {
    bookWithPage({silentItem(200, 100), silentItem(300, 100)});
    g_doomed = &book_;
    ::PostMessageA(hwnd, kDestroyBook, 0, 0);
    book_->OnControlButton(control, &dc_);
    EXPECT_EQ(book_.get(), nullptr) << control;
    g_doomed = nullptr;
  }
  ::DestroyWindow(hwnd);
}
