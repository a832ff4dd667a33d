// A run works through the items of the page it started on. A click dispatched at one of its
// checkpoints (two button-downs queued back to back: the Stop test takes the first, the pump
// dispatches the second) can load another page or go back to the lesson menu, and a close
// request can destroy the window: the run must end there without touching the cleared items.
// Under AddressSanitizer (CI) a touch of a deleted item fails these tests.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <memory>
#include <string>

#include "app/LessonView.h"
#include "lesson/LessonBook.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/DataFolder.h"
#include "tests/support/Desktop.h"

namespace {

namespace lk = zorva::lessonkit;
using zorva::platform::InputEvent;
using zorva::platform::InputKind;
using zorva::platform::SoundKind;

// Lesson 1's first page, with three sentences, between two neighbours whose sentences sound
// different, so a run that went on over a neighbour's items would be heard.
lk::Book threePages() {
  lk::Book book;
  book.title = lk::IndexedPicture::filled(40, 30, 1);
  const char* names[3] = {"14100.pge", "14101.pge", "14102.pge"};
  for (int p = 0; p < 3; ++p) {
    lk::Page page;
    page.file_name = names[p];
    page.prev_name = p > 0 ? names[p - 1] : "";
    page.next_name = p < 2 ? names[p + 1] : "";
    page.info = names[p];
    page.picture = lk::IndexedPicture::filled(400, 300, 2);
    for (int i = 0; i < (p == 1 ? 3 : 1); ++i)
      page.items.push_back(
          zorva::testing::dialogueSentence(i, static_cast<int16_t>(p == 1 ? 1000 : 7000)));
    book.pages.push_back(page);
  }
  return book;
}

// Client points of the view (the buttons' captions, the first sentence's role area).
const CPoint kLessons(50, 36), kPrevious(50, 60), kNext(50, 84), kPlay(50, 180),
    kRepeat(50, 228), kReview(50, 252), kReplay(50, 276), kNowhere(650, 400),
    kFirstRole(185, 50);
const CPoint kNoPoint(-1, -1);

class PageGoneDuringARun : public ::testing::Test {
 protected:
  // A fresh desktop and program on Lesson 1's first page.
  void start() {
    data_.reset();
    desktop_.reset();
    desktop_ = std::make_unique<zorva::testing::Desktop>();
    data_ = std::make_unique<zorva::testing::DataFolder>(threePages());
    ASSERT_TRUE(AfxGetApp()->InitInstance());
    view_ = AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST)->m_hWnd;
    desktop_->pumpUntilIdle();
    click(CPoint(650, 110));  // "Lesson 1"
  }
  void TearDown() override {
    if (AfxGetMainWnd() != nullptr) AfxGetMainWnd()->DestroyWindow();
  }
  CLessonBook& book() {
    return *static_cast<CLessonView*>(AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST))->m_pBook;
  }
  void click(CPoint at) {
    desktop_->click(view_, at.x, at.y);
    desktop_->pumpUntilIdle();
  }
  void rightClick(CPoint at) {
    desktop_->rightClick(view_, at.x, at.y);
    desktop_->pumpUntilIdle();
  }
  void scheduleMouse(uint64_t at_ms, InputKind kind, CPoint at,
                     zorva::platform::MouseButton button = zorva::platform::MouseButton::Left) {
    desktop_->scheduleMouse(at_ms, kind, view_, at.x, at.y, button);
  }
  // Two presses queued back to back, each released later: the run's Stop test takes the first
  // and its pump dispatches the second to the view.
  void scheduleDoubledPress(uint64_t at_ms, CPoint second) {
    scheduleMouse(at_ms, InputKind::MouseDown, kNowhere);
    scheduleMouse(at_ms, InputKind::MouseDown, second);
    scheduleMouse(at_ms + 1, InputKind::MouseUp, kNowhere);
    scheduleMouse(at_ms + 1, InputKind::MouseUp, second);
  }
  const std::vector<zorva::platform::TracedSound>& heard() {
    return desktop_->backend().audio().trace();
  }

  std::unique_ptr<zorva::testing::Desktop> desktop_;
  std::unique_ptr<zorva::testing::DataFolder> data_;
  HWND view_ = nullptr;
};

TEST_F(PageGoneDuringARun, TheRunEndsAtItsNextCheckpointAndPlaysNothingMore) {
  struct Run {
    const char* name;
    CPoint prepare;    // a click made before the run (kNoPoint: none)
    bool recordFirst;  // right-click the first two sentences before the run
    CPoint button;
  };
  // Each run is still on its second item when the page goes (1.7 s in: the first item's
  // checkpoint has taken the run's own button release by then); Review meets it between the
  // model and the learner's voice, the others after an item.
  const Run runs[] = {
      {"Play", kNoPoint, false, kPlay},
      {"Repeat after me", kNoPoint, false, kRepeat},
      {"Review", kNoPoint, false, kReview},
      {"Replay", kNoPoint, true, kReplay},
      {"Roleplay", kFirstRole, false, kRepeat},
  };
  struct Action {
    const char* name;
    CPoint button;              // kNoPoint: the window is closed instead
    const char* pageAfter;      // nullptr: the lesson menu
  };
  const Action actions[] = {
      {"Previous Page", kPrevious, "14100.PGE"},
      {"Next Page", kNext, "14102.PGE"},
      {"Lessons", kLessons, nullptr},
      {"close", kNoPoint, nullptr},
  };
  constexpr uint64_t kArrivalMs = 1700;
  for (const Run& run : runs) {
    for (const Action& action : actions) {
      SCOPED_TRACE(std::string(run.name) + ", then " + action.name);
      start();
      if (run.prepare != kNoPoint) click(run.prepare);
      if (run.recordFirst) {
        rightClick(CPoint(250, 50));
        rightClick(CPoint(250, 90));
      }
      desktop_->backend().audio().clearTrace();
      const uint64_t begin = desktop_->backend().nowMs();
      if (action.button == kNoPoint) {
        InputEvent close;
        close.kind = InputKind::CloseRequest;
        desktop_->backend().schedule(begin + kArrivalMs, close);
      } else {
        scheduleDoubledPress(begin + kArrivalMs, action.button);
      }
      click(run.button);

      ASSERT_FALSE(heard().empty());
      for (const auto& sound : heard()) {
        EXPECT_LT(sound.start_ms, begin + kArrivalMs) << "a sound began after the page was gone";
      }
      if (action.button == kNoPoint) {
        EXPECT_EQ(AfxGetMainWnd(), nullptr);
        ASSERT_TRUE(desktop_->quitCode().has_value());
        EXPECT_EQ(*desktop_->quitCode(), 0);
        continue;
      }
      CLessonBook& now = book();
      if (action.pageAfter != nullptr) {
        EXPECT_EQ(std::string(now.m_strPageFile), action.pageAfter);
      } else {
        EXPECT_FALSE(now.m_bPageShown);
      }
      for (int button = CLessonBook::kPlayButton; button <= CLessonBook::kReplayButton; ++button)
        EXPECT_EQ(now.m_buttons[button]->m_nState, 0) << "button " << button;
      AfxGetMainWnd()->DestroyWindow();
    }
  }
}

// The one other message a checkpoint dispatches may still be a right click: it records and plays
// back that sentence, and the run goes on over the same page.
TEST_F(PageGoneDuringARun, ARightClickDuringARunStillRecordsAndTheRunGoesOn) {
  start();
  desktop_->backend().audio().clearTrace();
  const uint64_t begin = desktop_->backend().nowMs();
  scheduleMouse(begin + 1500, InputKind::MouseDown, CPoint(250, 130),
                zorva::platform::MouseButton::Right);
  scheduleMouse(begin + 1501, InputKind::MouseUp, CPoint(250, 130),
                zorva::platform::MouseButton::Right);
  click(kPlay);
  const SoundKind expected[4] = {SoundKind::PlaySound, SoundKind::PlaySound,
                                 SoundKind::WaveOutWrite, SoundKind::PlaySound};
  ASSERT_EQ(heard().size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(heard()[i].kind, expected[i]) << i;
  EXPECT_EQ(book().m_buttons[CLessonBook::kPlayButton]->m_nState, 0);
}

}  // namespace
