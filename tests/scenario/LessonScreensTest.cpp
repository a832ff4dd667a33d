// What a learner sees, step by step: each act (a click, a run, a run stopped) is done on the
// headless desktop, and the view's whole screen is taken whenever a sound or a recording starts
// and once the act is over. Each screen is checked against the one a person looked at and kept
// (tests/scenario/screens, named by hash); the step names check the order of sounds as well.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/DataFolder.h"
#include "tests/support/Desktop.h"
#include "tests/support/ScreenSteps.h"
#include "tests/support/Watchdog.h"

namespace {

namespace lk = zorva::lessonkit;
using zorva::platform::SoundKind;
using zorva::platform::TracedSound;
using zorva::testing::ExpectedScreen;

// A page with a dialogue of three sentences. Each sentence has a line of "print" under its item,
// which role play blanks while the learner speaks. On its next page two sentences overlap.
lk::Book dialogueBook() {
  lk::Book book;
  book.title = lk::IndexedPicture::filled(120, 80, 1);
  book.title.setColour(1, 40, 90, 160);
  lk::Page page;
  page.file_name = "14101.pge";
  page.next_name = "14102.pge";
  page.info = "Lesson 1, page 1";
  page.picture = lk::IndexedPicture::filled(400, 300, 2);
  page.picture.setColour(2, 250, 240, 200);
  page.picture.setColour(3, 90, 60, 40);
  for (int i = 0; i < 3; ++i) {
    page.items.push_back(zorva::testing::dialogueSentence(i, int16_t(1000 * (i + 1))));
    for (int y = 70 + 40 * i; y < 80 + 40 * i; ++y)  // picture rows lie 20 below view rows
      for (int x = 100; x < 260; ++x) page.picture.at(x, y) = 3;
  }
  lk::Page next;
  next.file_name = "14102.pge";
  next.prev_name = "14101.pge";
  next.info = "Lesson 1, page 2";
  next.picture = lk::IndexedPicture::filled(300, 200, 4);
  next.picture.setColour(4, 200, 230, 250);
  lk::Item first = page.items[1];
  first.role_head = 0;
  first.next_in_role = -1;
  lk::Item second = page.items[2];
  second.audio = {300, 90, 450, 130};
  second.role_head = -1;
  next.items = {first, second};
  book.pages = {page, next};
  return book;
}

// View points of what the learner clicks.
struct Point {
  int x, y;
};
constexpr Point kLessonOne{650, 110}, kLessons{50, 36}, kPrevious{50, 60}, kNext{50, 84};
constexpr Point kStop{50, 156}, kPlay{50, 180}, kBlank{50, 204}, kRepeat{50, 228};
constexpr Point kReview{50, 252}, kReplay{50, 276};
constexpr Point kSentence[3] = {{250, 55}, {250, 95}, {250, 135}};
constexpr Point kRole[3] = {{185, 55}, {185, 95}, {185, 135}};
constexpr Point kOverlap{320, 100};  // on page 2

// A left click that arrives while the act is going on, `after_ms` after it began.
struct During {
  uint64_t after_ms;
  Point at;
};

enum Button { kLeft, kRight };

struct Act {
  const char* name;
  Point click;
  Button button;
  std::vector<During> during;
  // One screen per sound or recording started ("model N" for sentence N's clip, "learner" for
  // a recording played back, "recording"), then "after": the screen once the act is over.
  std::vector<ExpectedScreen> screens;
};

class LessonScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = std::make_unique<zorva::testing::DataFolder>(dialogueBook());
    ASSERT_TRUE(AfxGetApp()->InitInstance());
    view_ = AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST)->m_hWnd;
    desktop_.pumpUntilIdle();
    auto& audio = desktop_.backend().audio();
    audio.onSoundStart = [this](const TracedSound& sound) {
      if (sound.kind == SoundKind::WaveOutWrite) return take("learner");
      const int level = sound.bytes[0] | (sound.bytes[1] << 8);
      take("model " + std::to_string(level / 1000));
    };
    audio.onCaptureStart = [this] { take("recording"); };
  }
  void TearDown() override {
    desktop_.backend().audio().onSoundStart = nullptr;
    desktop_.backend().audio().onCaptureStart = nullptr;
    if (AfxGetMainWnd() != nullptr) AfxGetMainWnd()->DestroyWindow();
  }
  void take(const std::string& step) { steps_.take(step, clientImage(desktop_, view_)); }

  void perform(const std::vector<Act>& acts) {
    for (const Act& act : acts) {
      const zorva::testing::Watchdog watchdog(60, act.name);
      const uint64_t start = desktop_.backend().nowMs();
      for (const During& d : act.during)
        desktop_.scheduleClick(start + d.after_ms, view_, d.at.x, d.at.y);
      if (act.button == kRight)
        desktop_.rightClick(view_, act.click.x, act.click.y);
      else
        desktop_.click(view_, act.click.x, act.click.y);
      desktop_.pumpUntilIdle();
      take("after");
      steps_.check(act.name, act.screens);
    }
  }

  zorva::testing::Desktop desktop_;
  zorva::testing::ScreenSteps steps_{ZORVA_SCREENS_DIR};
  std::unique_ptr<zorva::testing::DataFolder> data_;
  HWND view_ = nullptr;
};

// Screens that many acts end on.
constexpr uint64_t kPageShown = 0xdfbdd793a13d96ea;        // page 1 as loaded
constexpr uint64_t kEveryFrameWhite = 0x26c4ff368cb966aa;  // page 1, each item framed white

// Sentences last 1 s and recordings 1.5 s, so the clicks below land in the middle of a sound.
TEST_F(LessonScreens, RunsLightTheirButtonAndFrameEachSentenceInTurn) {
  perform({
      {"Lesson 1", kLessonOne, kLeft, {},
        {{"after", kPageShown}}},
      {"Play", kPlay, kLeft, {},
        {{"model 1", 0x91bc6902eb0b2d82}, {"model 2", 0xd4697371ddf443b2},
         {"model 3", 0x9d2678d34d71b962}, {"after", kEveryFrameWhite}}},
      {"Play, Stop during sentence 2", kPlay, kLeft, {{1500, kStop}},
        {{"model 1", 0x8ce3ecdf26ee345a}, {"model 2", 0x8e202702972f904a},
         {"after", kEveryFrameWhite}}},
      {"Play, a click on sentence 3 during sentence 1 is thrown away", kPlay, kLeft,
       {{500, kSentence[2]}},
        {{"model 1", 0x8ce3ecdf26ee345a}, {"model 2", 0x8e202702972f904a},
         {"model 3", 0x9d2678d34d71b962}, {"after", kEveryFrameWhite}}},
      {"Stop and the blank button outside a run", kStop, kLeft, {{0, kBlank}},
        {{"after", kEveryFrameWhite}}},
      {"Repeat after me, Stop during the first model", kRepeat, kLeft, {{500, kStop}},
        {{"model 1", 0xe2c04c3c3d2377a2}, {"after", kEveryFrameWhite}}},
      {"Repeat after me, Stop while sentence 2 is recorded", kRepeat, kLeft, {{4000, kStop}},
        {{"model 1", 0xe2c04c3c3d2377a2}, {"recording", 0xa3607a2e90079642},
         {"model 2", 0x27af4b85050a4492}, {"recording", 0x3899de41d41a6e52},
         {"after", kEveryFrameWhite}}},
      {"Repeat after me, then Review", kRepeat, kLeft, {},
        {{"model 1", 0xe2c04c3c3d2377a2}, {"recording", 0xa3607a2e90079642},
         {"model 2", 0x27af4b85050a4492}, {"recording", 0x3899de41d41a6e52},
         {"model 3", 0xaff7c286bf54e8aa}, {"recording", 0xea1e3f6a0380c32a},
         {"model 1", 0x0809fc99e2d2e44a}, {"learner", 0x6c822980f41864ea},
         {"model 2", 0xf3b6d6a9690cf93a}, {"learner", 0xa4dbe6fbc9829e0a},
         {"model 3", 0x3a83eec8a540fa52}, {"learner", 0x11f513dd5fe57a0a},
         {"after", kEveryFrameWhite}}},
      {"Review", kReview, kLeft, {},
        {{"model 1", 0x0809fc99e2d2e44a}, {"learner", 0x6c822980f41864ea},
         {"model 2", 0xf3b6d6a9690cf93a}, {"learner", 0xa4dbe6fbc9829e0a},
         {"model 3", 0x3a83eec8a540fa52}, {"learner", 0x11f513dd5fe57a0a},
         {"after", kEveryFrameWhite}}},
      {"Review, Stop during sentence 2", kReview, kLeft, {{3000, kStop}},
        {{"model 1", 0x0809fc99e2d2e44a}, {"learner", 0x6c822980f41864ea},
         {"model 2", 0xf3b6d6a9690cf93a}, {"after", kEveryFrameWhite}}},
      {"Replay", kReplay, kLeft, {},
        {{"learner", 0xf973ca9ebb129c5a}, {"learner", 0xbf77c3f124b0a97a},
         {"learner", 0x2c90f0d2bb13857a}, {"after", kEveryFrameWhite}}},
      {"Replay, Stop during the second recording", kReplay, kLeft, {{2000, kStop}},
        {{"learner", 0xf973ca9ebb129c5a}, {"learner", 0xbf77c3f124b0a97a},
         {"after", kEveryFrameWhite}}},
  });
}

TEST_F(LessonScreens, ItemsRolesAndRolePlay) {
  perform({
      {"Lesson 1", kLessonOne, kLeft, {},
        {{"after", kPageShown}}},
      {"A click on sentence 2", kSentence[1], kLeft, {},
        {{"model 2", 0x09e4521f616a089a}, {"after", 0x233385f4df688cea}}},
      {"A right click on sentence 3", kSentence[2], kRight, {},
        {{"recording", 0x85d4eb214feb4dca}, {"learner", 0x2007f9477d70e3c2},
         {"after", 0x856e04fb2c2239c2}}},
      {"Role of sentences 1 and 3 chosen", kRole[2], kLeft, {},
        {{"after", 0xd65eff628fbdddc0}}},
      {"Role of sentence 2 chosen too", kRole[1], kLeft, {},
        {{"after", 0x5fa2be6e8762d818}}},
      {"Role of sentences 1 and 3 given back", kRole[0], kLeft, {},
        {{"after", 0x61fde1373cd9cbd0}}},
      {"Role of sentence 2 given back", kRole[1], kLeft, {},
        {{"after", 0xf49031c4cb616516}}},
      {"Role of sentences 1 and 3 chosen again", kRole[0], kLeft, {},
        {{"after", 0x7595b02a17d94bbc}}},
      {"Roleplay", kRepeat, kLeft, {},
        {{"recording", 0x11746aaaf9f82663}, {"model 2", 0xaa8bffba6cde21b4},
         {"recording", 0xcf95aa6adba81f8b}, {"learner", 0x0e9425c79980fb84},
         {"model 2", 0x37356da9ff00a364}, {"learner", 0xc55d4a6adea977a4},
         {"after", 0x1ad5e87b23e8743c}}},
      {"Replay after Roleplay", kReplay, kLeft, {},
        {{"learner", 0x6e8e8120440130f4}, {"learner", 0x0d63072b1e8e7f14},
         {"after", 0x1ad5e87b23e8743c}}},
      {"Roleplay, Stop in the first pass", kRepeat, kLeft, {{2000, kStop}},
        {{"recording", 0x11746aaaf9f82663}, {"model 2", 0xaa8bffba6cde21b4},
         {"after", 0x1ad5e87b23e8743c}}},
      {"Roleplay, Stop in the second pass", kRepeat, kLeft, {{5000, kStop}},
        {{"recording", 0x11746aaaf9f82663}, {"model 2", 0xaa8bffba6cde21b4},
         {"recording", 0xcf95aa6adba81f8b}, {"learner", 0x0e9425c79980fb84},
         {"after", 0x1ad5e87b23e8743c}}},
  });
}

TEST_F(LessonScreens, NavigationButtons) {
  perform({
      {"Lesson 1", kLessonOne, kLeft, {},
        {{"after", kPageShown}}},
      {"Role of sentence 2 chosen", kRole[1], kLeft, {},
        {{"after", 0x1ace9ca0c5b38050}}},
      {"Next Page", kNext, kLeft, {},
        {{"after", 0x3df9bc591ca36e43}}},
      {"A right click where two sentences overlap", kOverlap, kRight, {},
        {{"recording", 0x929dd447ba27eb3f}, {"learner", 0xd3d4f2da7c5bd497},
         {"recording", 0xc0559527e9f1fa11}, {"learner", 0x459dd733550b27d5},
         {"after", 0x20b15b097714ac75}}},
      {"Previous Page", kPrevious, kLeft, {},
        {{"after", kPageShown}}},
      {"Lessons", kLessons, kLeft, {},
        {{"after", 0x7b54a9fbce0eec97}}},
      {"Lesson 1 again", kLessonOne, kLeft, {},
        {{"after", kPageShown}}},
  });
}

}  // namespace
