// The whole program on the headless desktop: the application starts as it does for a learner,
// clicks reach the lesson view, and the sounds heard are read from the virtual devices' trace.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/DataFolder.h"
#include "tests/support/Desktop.h"

namespace {

namespace lk = zorva::lessonkit;
using zorva::platform::InputEvent;
using zorva::platform::InputKind;
using zorva::platform::SoundKind;

using zorva::testing::dialogueSentence;
constexpr int kClipSamples = zorva::testing::kSentenceSamples;

lk::Book threeSentencePage() {
  lk::Book book;
  book.title = lk::IndexedPicture::filled(40, 30, 1);
  lk::Page page;
  page.file_name = "14101.pge";
  page.info = "Three sentences";
  page.picture = lk::IndexedPicture::filled(400, 300, 2);
  for (int i = 0; i < 3; ++i) page.items.push_back(dialogueSentence(i, int16_t(1000 * (i + 1))));
  book.pages.push_back(page);
  return book;
}

class ProgramRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = std::make_unique<zorva::testing::DataFolder>(threeSentencePage());
    ASSERT_TRUE(AfxGetApp()->InitInstance());
    ASSERT_NE(AfxGetMainWnd(), nullptr);
    view_ = AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST)->m_hWnd;
    desktop_.pumpUntilIdle();
    desktop_.click(view_, 650, 110);  // "Lesson 1"
    desktop_.pumpUntilIdle();
    desktop_.backend().audio().clearTrace();
  }
  void TearDown() override {
    if (AfxGetMainWnd() != nullptr) AfxGetMainWnd()->DestroyWindow();
  }
  const std::vector<zorva::platform::TracedSound>& heard() {
    return desktop_.backend().audio().trace();
  }

  zorva::testing::Desktop desktop_;
  std::unique_ptr<zorva::testing::DataFolder> data_;
  HWND view_ = nullptr;
};

TEST_F(ProgramRuns, PlaySpeaksEverySentenceInPageOrder) {
  desktop_.click(view_, 50, 180);  // "Play"
  desktop_.pumpUntilIdle();
  ASSERT_EQ(heard().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(heard()[i].kind, SoundKind::PlaySound);
    ASSERT_EQ(heard()[i].bytes.size(), size_t(kClipSamples * 2));
    EXPECT_EQ(heard()[i].bytes[0] | (heard()[i].bytes[1] << 8), 1000 * (i + 1));
  }
}

TEST_F(ProgramRuns, StopDuringTheSecondSentenceEndsTheRunAtTheNextCheckpoint) {
  const uint64_t start = desktop_.backend().nowMs();
  desktop_.scheduleClick(start + 1500, view_, 50, 156);  // "Stop", while sentence 2 plays
  desktop_.click(view_, 50, 180);        // "Play"
  desktop_.pumpUntilIdle();
  EXPECT_EQ(heard().size(), 2u) << "the third sentence must not play";
}

TEST_F(ProgramRuns, AClickElsewhereDuringARunIsThrownAway) {
  const uint64_t start = desktop_.backend().nowMs();
  desktop_.scheduleClick(start + 500, view_, 650, 400);  // an empty part of the page
  desktop_.click(view_, 50, 180);
  desktop_.pumpUntilIdle();
  EXPECT_EQ(heard().size(), 3u);
}

TEST_F(ProgramRuns, RepeatAfterMeRecordsEachSentenceThenReviewPlaysBoth) {
  desktop_.click(view_, 50, 228);  // "Repeat after me"
  desktop_.pumpUntilIdle();
  // Three models (the recordings are not heard), then Review: model and own voice in turn.
  ASSERT_EQ(heard().size(), 9u);
  const SoundKind expected[9] = {SoundKind::PlaySound, SoundKind::PlaySound, SoundKind::PlaySound,
                                 SoundKind::PlaySound, SoundKind::WaveOutWrite,
                                 SoundKind::PlaySound, SoundKind::WaveOutWrite,
                                 SoundKind::PlaySound, SoundKind::WaveOutWrite};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(heard()[i].kind, expected[i]) << i;
  // Each recording grew by a half of the clip's image, which is below 58,000 bytes.
  EXPECT_EQ(heard()[4].bytes.size(), size_t((kClipSamples * 2 + 44) * 3 / 2));
}

TEST_F(ProgramRuns, RightClickRecordsTheSentenceAndPlaysItBackAtOnce) {
  desktop_.rightClick(view_, 250, 100);  // sentence 2
  desktop_.pumpUntilIdle();
  ASSERT_EQ(heard().size(), 1u);
  EXPECT_EQ(heard()[0].kind, SoundKind::WaveOutWrite);
  EXPECT_EQ(heard()[0].bytes.size(), size_t((kClipSamples * 2 + 44) * 3 / 2));
}

TEST_F(ProgramRuns, RoleplayRecordsTheChosenSpeakerAndPlaysTheDialogueBack) {
  desktop_.click(view_, 185, 50);  // the role area of sentence 1: its speaker is the learner's
  desktop_.pumpUntilIdle();
  desktop_.click(view_, 50, 228);  // "Roleplay"
  desktop_.pumpUntilIdle();
  // First pass: only the other speaker's sentence is heard; then the dialogue with the
  // learner's voice in place of sentences 1 and 3.
  const SoundKind expected[4] = {SoundKind::PlaySound, SoundKind::WaveOutWrite,
                                 SoundKind::PlaySound, SoundKind::WaveOutWrite};
  ASSERT_EQ(heard().size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(heard()[i].kind, expected[i]) << i;
  EXPECT_EQ(heard()[0].bytes[0] | (heard()[0].bytes[1] << 8), 2000) << "sentence 2's clip";

  desktop_.backend().audio().clearTrace();
  desktop_.click(view_, 50, 276);  // "Replay": the learner's two recordings only
  desktop_.pumpUntilIdle();
  ASSERT_EQ(heard().size(), 2u);
  EXPECT_EQ(heard()[0].kind, SoundKind::WaveOutWrite);
  EXPECT_EQ(heard()[1].kind, SoundKind::WaveOutWrite);
}

// Run under AddressSanitizer in CI: the frame, the view and the book are destroyed while the
// view's click handler is still running the page; nothing may touch them afterwards.
TEST_F(ProgramRuns, ClosingTheWindowDuringARunEndsItAndTheProgram) {
  InputEvent close;
  close.kind = InputKind::CloseRequest;
  desktop_.backend().schedule(desktop_.backend().nowMs() + 500, close);
  desktop_.click(view_, 50, 180);
  desktop_.pumpUntilIdle();
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
  // One message per checkpoint: the click's button-up is handled after the first sentence, the
  // close after the second, and the run ends there.
  EXPECT_EQ(heard().size(), 2u);
  ASSERT_TRUE(desktop_.quitCode().has_value());
  EXPECT_EQ(*desktop_.quitCode(), 0);
}

}  // namespace
