// One item through a whole exchange, as the lesson book drives it: the model clip under a blue
// frame, the learner recorded under a red frame, the normalised take played under a green one.
#include "audio/WaveRecorder.h"
#include "tests/unit/pageaudio/PageAudioFixture.h"

using namespace pageaudiotest;
using zorva::platform::SoundKind;

namespace {
class PageAudioSequence : public PageAudioTest {};
}  // namespace

TEST_F(PageAudioSequence, ModelThenLearnerThenNormalisedPlayback) {
  const std::vector<int16_t> model = speech(22050);  // clip length 44,152
  CFile file;
  openFile(file, fileOf(plainItem(), zorva::lessonkit::encodeAiff(model)));
  CPageAudio audio(file, 0, dc());

  std::vector<COLORREF> frames;
  be->audio().onSoundStart = [&](const zorva::platform::TracedSound&) { frames.push_back(surface->at(10, 100)); };
  audio.PlayModel(dc());
  audio.Unhighlight(dc());

  std::vector<int16_t> voice(20000, 0);
  voice[0] = 1000;
  voice[1] = 500;
  be->audio().setCaptureSource(zorva::testing::littleEndian(voice));
  const uint64_t record_start_ms = be->nowMs();
  audio.RecordLearner(dc());
  const uint64_t recorded_ms = be->nowMs() - record_start_ms;
  const COLORREF after_recording = surface->at(200, 120);
  audio.Unhighlight(dc());
  audio.PlayLearner(dc());
  audio.Unhighlight(dc());
  be->audio().onSoundStart = nullptr;

  const auto& trace = be->audio().trace();
  ASSERT_EQ(trace.size(), 2u);
  EXPECT_EQ(trace[0].kind, SoundKind::PlaySound);
  EXPECT_EQ(trace[0].bytes, zorva::testing::littleEndian(model)) << "exactly the clip's samples, byte-swapped";
  EXPECT_EQ(trace[1].kind, SoundKind::WaveOutWrite);
  ASSERT_EQ(trace[1].bytes.size(), 66216u) << "the grown size of 44,144";
  EXPECT_EQ(static_cast<int16_t>(zorva::testing::get16(&trace[1].bytes[0])), 32765);
  EXPECT_EQ(static_cast<int16_t>(zorva::testing::get16(&trace[1].bytes[2])), 16382);
  EXPECT_GE(trace[1].start_ms, trace[0].end_ms + recorded_ms);
  EXPECT_NEAR(static_cast<double>(recorded_ms), 1501.0, 3.0);
  EXPECT_EQ(after_recording, pixeltest::kRed);
  EXPECT_EQ(frames, (std::vector<COLORREF>{pixeltest::kBlue, kGreen}));
  pixeltest::Image idle(kWidth, kHeight);
  frameOn(idle, pixeltest::kWhite);
  EXPECT_TRUE(pixeltest::Matches(*surface, idle));
}
