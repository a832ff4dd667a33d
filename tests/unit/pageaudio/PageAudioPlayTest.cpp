// Frames, sounds and recordings of an item: exact pixels of each frame and of the role marker,
// the screen while a sound plays, the recording sizes, and the two role-play steps.
#include "audio/WaveRecorder.h"
#include "tests/unit/pageaudio/PageAudioFixture.h"

using namespace pageaudiotest;
using pixeltest::Image;
using pixeltest::Matches;
using zorva::platform::SoundKind;
using zorva::platform::WaveStep;

namespace {

class PageAudioPlay : public PageAudioTest {
 protected:
  std::unique_ptr<CPageAudio> item(const ItemRecord& record, const Bytes& clip = {}) {
    CFile file;
    openFile(file, fileOf(record, clip));
    return std::make_unique<CPageAudio>(file, 0, dc());
  }
  // The picture painted by paintPicture(), as an expected image.
  Image picture() {
    Image e(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) e.set(x, y, pictureAt(x, y));
    return e;
  }
};

}  // namespace

TEST_F(PageAudioPlay, EachOperationLeavesItsFrameAndNothingElse) {
  auto audio = item(plainItem());
  struct Row { const char* name; void (CPageAudio::*op)(CDC*); COLORREF colour; };
  const Row rows[] = {{"PlayModel", &CPageAudio::PlayModel, pixeltest::kBlue},
                      {"RecordLearner", &CPageAudio::RecordLearner, pixeltest::kRed},
                      {"PlayLearner", &CPageAudio::PlayLearner, kGreen},
                      {"Unhighlight", &CPageAudio::Unhighlight, pixeltest::kWhite}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ((*audio).*row.op)(dc());
    Image e(kWidth, kHeight);
    frameOn(e, row.colour);
    EXPECT_TRUE(Matches(*surface, e));
  }
  EXPECT_TRUE(be->messageBoxes().empty());
}

TEST_F(PageAudioPlay, ModelClipPlaysUnderBlueFrame) {
  const std::vector<int16_t> samples = speech(2000);
  auto audio = item(plainItem(), zorva::lessonkit::encodeAiff(samples));
  COLORREF during = 0;
  be->audio().onSoundStart = [&](const zorva::platform::TracedSound&) { during = surface->at(200, 120); };
  audio->PlayModel(dc());
  be->audio().onSoundStart = nullptr;
  EXPECT_EQ(during, pixeltest::kBlue);
  ASSERT_EQ(be->audio().trace().size(), 1u);
  EXPECT_EQ(be->audio().trace()[0].kind, SoundKind::PlaySound);
  EXPECT_EQ(be->audio().trace()[0].bytes, zorva::testing::littleEndian(samples));
}

TEST_F(PageAudioPlay, ItemWithoutClipShowsFrameAndReturnsAtOnce) {
  auto audio = item(plainItem());
  const uint64_t start_ms = be->nowMs();
  audio->PlayModel(dc());
  EXPECT_EQ(be->nowMs(), start_ms);
  EXPECT_TRUE(be->audio().trace().empty());
  EXPECT_EQ(surface->at(10, 100), pixeltest::kBlue);
}

TEST_F(PageAudioPlay, RecordingLengthFollowsTheClipImageSize) {
  struct Row { size_t samples; LONG recorded; };
  const Row rows[] = {
      {0, 116666},      // no clip: base 100,000
      {22050, 66216},   // clip length 44,152
      {28978, 67666},   // clip length 58,008
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.recorded);
    auto audio = row.samples == 0 ? item(plainItem())
                                  : item(plainItem(), zorva::lessonkit::encodeAiff(speech(row.samples)));
    audio->RecordLearner(dc());
    ASSERT_NE(audio->m_pRecorder, nullptr);
    EXPECT_EQ(audio->m_pRecorder->m_nSize, row.recorded);
    be->audio().clearTrace();
    audio->PlayLearner(dc());
    ASSERT_EQ(be->audio().trace().size(), 1u);
    EXPECT_EQ(be->audio().trace()[0].bytes.size(), static_cast<size_t>(row.recorded));
  }
  // Clip length 58,007 (odd) gives base 57,999.
  Bytes clip = zorva::lessonkit::encodeAiff(speech(28977));
  clip.push_back(0);
  auto audio = item(plainItem(), clip);
  audio->RecordLearner(dc());
  EXPECT_EQ(audio->m_pRecorder->m_nSize, 86998);
}

TEST_F(PageAudioPlay, LatestRecordingIsPlayedUnderGreenFrame) {
  auto audio = item(plainItem());
  be->audio().setCaptureSource(zorva::testing::littleEndian({111}));
  audio->RecordLearner(dc());
  be->audio().setCaptureSource(zorva::testing::littleEndian({-222}));
  audio->RecordLearner(dc());
  be->audio().clearTrace();
  COLORREF during = 0;
  be->audio().onSoundStart = [&](const zorva::platform::TracedSound&) { during = surface->at(10, 120); };
  audio->PlayLearner(dc());
  be->audio().onSoundStart = nullptr;
  EXPECT_EQ(during, kGreen);
  ASSERT_EQ(be->audio().trace().size(), 1u);
  const auto& bytes = be->audio().trace()[0].bytes;
  EXPECT_EQ(static_cast<int16_t>(zorva::testing::get16(&bytes[0])), -32765) << "the second take";
}

TEST_F(PageAudioPlay, RoleMarkerIsWhiteOrRed) {
  ItemRecord record = plainItem();
  record.role = {50, 10, 80, 30};
  auto audio = item(record);
  Image e(kWidth, kHeight);
  audio->DrawRoleMarker(dc());
  e.fill(79, 10, 80, 30, pixeltest::kWhite);  // the end point (79, 30) is not painted
  EXPECT_TRUE(Matches(*surface, e));
  audio->m_bLearnerRole = TRUE;
  audio->DrawRoleMarker(dc());
  e.fill(79, 10, 80, 30, pixeltest::kRed);
  EXPECT_TRUE(Matches(*surface, e));
  audio->m_bLearnerRole = FALSE;
  audio->DrawRoleMarker(dc());
  e.fill(79, 10, 80, 30, pixeltest::kWhite);
  EXPECT_TRUE(Matches(*surface, e));

  record.role = {50, 10, 80, 10};
  auto unroled = item(record);
  unroled->m_bLearnerRole = TRUE;
  unroled->DrawRoleMarker(dc());
  EXPECT_TRUE(Matches(*surface, e)) << "no role rectangle: nothing drawn";
}

TEST_F(PageAudioPlay, LearnerTurnBlanksTheItemWhileRecordingAndRestoresThePicture) {
  auto audio = item(plainItem());
  audio->m_bLearnerRole = TRUE;
  paintPicture();
  Image blanked = picture();
  blanked.fill(10, 100, 201, 121, pixeltest::kRed);
  blanked.fill(11, 101, 200, 120, pixeltest::kWhite);

  // The moment recording starts, seen from a start that fails and reports.
  zorva::platform::failWaveStep(WaveStep::InStart, MMSYSERR_NOMEM);
  ::testing::AssertionResult at_start = ::testing::AssertionFailure() << "no box shown";
  be->onMessageBox = [&](const zorva::platform::RecordedMessageBox&) { at_start = Matches(*surface, blanked); };
  audio->RoleplayTurn(dc());
  be->onMessageBox = nullptr;
  zorva::platform::clearWaveFaults();
  EXPECT_TRUE(at_start);

  // A full turn: the picture comes back from the background copy except the red right column
  // and bottom row, which stay until Unhighlight.
  paintPicture();
  const uint64_t start_ms = be->nowMs();
  audio->RoleplayTurn(dc());
  EXPECT_GE(be->nowMs() - start_ms, 2600u) << "recorded for 116,666 bytes";
  Image after = picture();
  after.fill(10, 120, 201, 121, pixeltest::kRed);
  after.fill(200, 100, 201, 121, pixeltest::kRed);
  EXPECT_TRUE(Matches(*surface, after));
  EXPECT_TRUE(audio->m_pRecorder->m_bRecorded);
  audio->Unhighlight(dc());
  Image unhighlighted = picture();
  frameOn(unhighlighted, pixeltest::kWhite);
  EXPECT_TRUE(Matches(*surface, unhighlighted));
}

TEST_F(PageAudioPlay, OtherRolesPlayTheModelAndDropEarlierRecordings) {
  const std::vector<int16_t> samples = speech(300);
  auto audio = item(plainItem(), zorva::lessonkit::encodeAiff(samples));
  audio->RecordLearner(dc());
  ASSERT_TRUE(audio->m_pRecorder->m_bRecorded);
  be->audio().clearTrace();
  audio->RoleplayTurn(dc());
  Image e(kWidth, kHeight);
  frameOn(e, pixeltest::kBlue);
  EXPECT_TRUE(Matches(*surface, e));
  ASSERT_EQ(be->audio().trace().size(), 1u);
  EXPECT_EQ(be->audio().trace()[0].bytes, zorva::testing::littleEndian(samples));
  EXPECT_FALSE(audio->m_pRecorder->m_bRecorded) << "the earlier recording is gone";

  be->audio().clearTrace();
  audio->PlayLearner(dc());
  EXPECT_TRUE(be->audio().trace().empty()) << "green frame, no sound";
  EXPECT_EQ(surface->at(10, 100), kGreen);
  audio->RoleplayReview(dc());
  ASSERT_EQ(be->audio().trace().size(), 1u);
  EXPECT_EQ(be->audio().trace()[0].kind, SoundKind::PlaySound);
  EXPECT_EQ(surface->at(10, 100), pixeltest::kBlue);
}

TEST_F(PageAudioPlay, ReviewOfLearnerRolePlaysTheTurnUnderGreen) {
  auto audio = item(plainItem(), zorva::lessonkit::encodeAiff(speech(300)));
  audio->m_bLearnerRole = TRUE;
  audio->RoleplayTurn(dc());
  be->audio().clearTrace();
  audio->RoleplayReview(dc());
  ASSERT_EQ(be->audio().trace().size(), 1u);
  EXPECT_EQ(be->audio().trace()[0].kind, SoundKind::WaveOutWrite);
  EXPECT_EQ(be->audio().trace()[0].bytes.size(), static_cast<size_t>(audio->m_pRecorder->m_nSize));
  EXPECT_EQ(surface->at(200, 100), kGreen);
}

// An audio rectangle reaching above the view keeps only its visible part in the background
// copy; the learner's turn still gives back every visible pixel of the picture.
TEST_F(PageAudioPlay, LearnerTurnRestoresTheVisiblePartOfARectangleAboveTheView) {
  ItemRecord record = plainItem();
  record.audio = {10, -30, 200, 20};
  auto audio = item(record);
  audio->m_bLearnerRole = TRUE;
  ASSERT_NE(audio->m_pMemDC, nullptr);
  EXPECT_EQ(audio->m_pMemDC->GetPixel(189, 19), pixeltest::kWhite);
  EXPECT_EQ(audio->m_pMemDC->GetPixel(0, 20), CLR_INVALID) << "only the 20 visible rows";
  paintPicture();
  audio->RoleplayTurn(dc());
  Image after = picture();
  after.fill(10, 20, 201, 21, pixeltest::kRed);
  after.fill(200, 0, 201, 21, pixeltest::kRed);
  EXPECT_TRUE(Matches(*surface, after));
}
