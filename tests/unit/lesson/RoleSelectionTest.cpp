// Role selection on page data the learner cannot see: chains that link back to the first item,
// chains that run in a circle, and a page whose only role item is its last. Also a quit request
// that waits behind a click while a run goes on.
#include "tests/support/Watchdog.h"
#include "tests/unit/lesson/BookFixture.h"

using namespace lessontest;

namespace {

struct Link {
  int head, next;
};

struct RoleCase {
  const char* page;
  std::vector<Link> items;
  std::vector<short> chosen;  // role heads clicked in turn
  std::vector<bool> learner;  // each item's role afterwards
  bool rolePlay;              // "Repeat after me" reads "Roleplay"
};

// Each item of the chain is inverted once, the chain ending at -1, at an index outside the page
// or at an item it has passed; "Repeat after me" reads "Roleplay" while any item is the learner's.
const RoleCase kRoleCases[] = {
    {"chain 2 -> 0 links back to the first item from another head",
     {{2, -1}, {1, -1}, {2, 0}}, {2}, {true, false, true}, true},
    {"chain 1 -> 0 chosen, then chain 0 alone given back",
     {{0, -1}, {1, 0}, {-1, -1}}, {1, 0}, {false, true, false}, true},
    {"chain 0 -> 1 -> 2 -> 1 loops without coming back to its first item",
     {{0, 1}, {0, 2}, {0, 1}}, {0}, {true, true, true}, true},
    {"the looping chain chosen twice gives every item back",
     {{0, 1}, {0, 2}, {0, 1}}, {0, 0}, {false, false, false}, false},
    {"only the last item has a role",
     {{-1, -1}, {-1, -1}, {2, -1}}, {2}, {false, false, true}, true},
    {"only the last item has a role, given back",
     {{-1, -1}, {-1, -1}, {2, -1}}, {2, 2}, {false, false, false}, false},
};

class RoleSelection : public BookTest {
 protected:
  CLessonBook& bookWith(const std::vector<Link>& links) {
    std::vector<lk::Item> items;
    for (size_t i = 0; i < links.size(); ++i)
      items.push_back(silentItem(200 + 60 * int(i), 100, links[i].head, links[i].next));
    writeRaw("14101.pge", lk::pageFile(page("14101.pge", "", "", items)).bytes);
    CLessonBook& book = makeBook();
    book.OpenLesson(0, &dc_);
    return book;
  }
};

TEST_F(RoleSelection, InvertsEachItemOfTheChainOnceAndNamesButtonSix) {
  for (const RoleCase& c : kRoleCases) {
    SCOPED_TRACE(c.page);
    CLessonBook& book = bookWith(c.items);
    const zorva::testing::Watchdog watchdog(10, std::string("role selection: ") + c.page);
    for (short head : c.chosen) book.ToggleRole(head, &dc_);
    std::vector<bool> learner;
    for (int i = 0; i < book.m_nItems; i++) learner.push_back(book.m_items[i]->m_bLearnerRole);
    EXPECT_EQ(learner, c.learner);
    EXPECT_EQ(book.m_bRolePlay, c.rolePlay ? 1 : 0);
    EXPECT_STREQ((LPCTSTR)book.m_buttons[CLessonBook::kRepeatButton]->m_strCaption,
                 c.rolePlay ? "Roleplay" : "Repeat after me");
  }
}

// The run's checkpoint throws the click away and then takes the quit request from the queue: the
// run ends, and the request is still there for the program's message loop.
TEST_F(RoleSelection, QuitBehindAClickDuringARunEndsItAndIsKept) {
  CLessonBook& book = bookWith({{-1, -1}, {-1, -1}});
  ::PostMessageA(NULL, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 500));
  ::PostQuitMessage(4);
  book.OnControlButton(1, &dc_);
  EXPECT_EQ(book.m_buttons[CLessonBook::kPlayButton]->m_nState, 0);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, (UINT)WM_QUIT);
  EXPECT_EQ(msg.wParam, (WPARAM)4);
}

}  // namespace
