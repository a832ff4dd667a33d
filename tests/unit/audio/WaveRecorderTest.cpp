// The learner's recorder on the virtual devices: the sizes it records, the loudness it leaves,
// its error boxes and recovery, and waits that end on a stuck device.
#include "audio/WaveRecorder.h"

#include <string>

#include "tests/unit/audio/AudioFixture.h"

using namespace zorva;
using platform::AudioDirection;
using platform::SoundKind;
using platform::WaveStep;
using zorva::testing::littleEndian;

namespace {

class WaveRecorder : public zorva::testing::AudioTest {
 protected:
  // The bytes of the recorder's one playback, as the output device heard them.
  std::vector<uint8_t> played(CWaveRecorder& recorder) {
    be->audio().clearTrace();
    recorder.Play();
    const auto& trace = be->audio().trace();
    if (trace.size() != 1) {
      ADD_FAILURE() << "expected one sound, got " << trace.size();
      return {};
    }
    EXPECT_EQ(trace[0].kind, SoundKind::WaveOutWrite);
    return trace[0].bytes;
  }
  std::string errorText(MMRESULT code) {
    char text[100] = {0};
    waveInGetErrorTextA(code, text, sizeof text);
    return text;
  }
};

int16_t sampleAt(const std::vector<uint8_t>& bytes, size_t n) {
  return static_cast<int16_t>(zorva::testing::get16(&bytes[2 * n]));
}

}  // namespace

TEST_F(WaveRecorder, RecordsTheGrownSizeAndPlaysItBack) {
  struct Row { LONG base; LONG grown; };
  const Row rows[] = {
      {100000, 116666},  // an item without a clip
      {44144, 66216},    // a one-second clip
      {57999, 86998},    // last base that grows by a half
      {58000, 67666},    // first base that grows by a sixth
      {2000000000, 26460000},  // b + b/6 would pass 32 bits: 10 minutes at most
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.base);
    CWaveRecorder recorder(row.base);
    const uint64_t start_ms = be->nowMs();
    recorder.Record();
    EXPECT_EQ(recorder.m_nSize, row.grown);
    ASSERT_TRUE(recorder.m_bRecorded);
    EXPECT_EQ(recorder.m_pHeader->dwBufferLength, static_cast<DWORD>(row.grown));
    // Recording runs until the device has taken all but the last 10 bytes, at 44.1 bytes/ms.
    const uint64_t expected_ms = static_cast<uint64_t>(row.grown - 10) * 1000 / 44100;
    EXPECT_NEAR(static_cast<double>(be->nowMs() - start_ms), static_cast<double>(expected_ms), 3.0);
    EXPECT_EQ(be->audio().openStreamCount(), 0);
    EXPECT_EQ(played(recorder).size(), static_cast<size_t>(row.grown));
    EXPECT_EQ(be->audio().openStreamCount(), 0);
  }
  EXPECT_TRUE(be->messageBoxes().empty());
}

TEST_F(WaveRecorder, FormatIsVoiceMono16Bit) {
  CWaveRecorder recorder(1000);
  recorder.Record();
  recorder.Play();
  ASSERT_EQ(be->audio().trace().size(), 1u);
  const auto& format = be->audio().trace()[0].format;
  EXPECT_EQ(format.rate_hz, 22050);
  EXPECT_EQ(format.channels, 1);
  EXPECT_EQ(format.bits, 16);
}

TEST_F(WaveRecorder, SecondRecordGrowsAgainAndReplacesTheFirst) {
  be->audio().setCaptureSource(littleEndian({1000}));
  CWaveRecorder recorder(44144);
  recorder.Record();
  ASSERT_EQ(sampleAt(played(recorder), 0), 32765);
  be->audio().setCaptureSource(littleEndian({-300}));
  recorder.Record();
  EXPECT_EQ(recorder.m_nSize, 77252);  // 66,216 grown by a sixth
  const std::vector<uint8_t> bytes = played(recorder);
  ASSERT_EQ(bytes.size(), 77252u);
  EXPECT_EQ(sampleAt(bytes, 0), -32765);
  EXPECT_EQ(played(recorder), bytes) << "a recording can be played again";
}

TEST_F(WaveRecorder, NormalisesThePeakAndKeepsTheLastTenThousandBytes) {
  // Base 20,000 records 30,000 bytes: samples 0..9,999 are scaled, 10,000..14,999 are kept.
  std::vector<int16_t> source(15000, 0);
  source[0] = 1000;
  source[1] = 500;
  source[2] = -1000;
  source[3] = -7;
  source[9999] = 250;
  source[10000] = 100;
  source[14994] = -999;
  be->audio().setCaptureSource(littleEndian(source));
  CWaveRecorder recorder(20000);
  recorder.Record();
  const std::vector<uint8_t> bytes = played(recorder);
  ASSERT_EQ(bytes.size(), 30000u);
  EXPECT_EQ(sampleAt(bytes, 0), 32765);
  EXPECT_EQ(sampleAt(bytes, 1), 16382);
  EXPECT_EQ(sampleAt(bytes, 2), -32765);
  EXPECT_EQ(sampleAt(bytes, 3), -229);  // -7 * 32.765 truncated toward zero
  EXPECT_EQ(sampleAt(bytes, 9999), 8191);
  EXPECT_EQ(sampleAt(bytes, 10000), 100);
  EXPECT_EQ(sampleAt(bytes, 14994), -999);
}

TEST_F(WaveRecorder, SilenceAndShortRecordingsAreNotScaled) {
  {
    CWaveRecorder silent(20000);
    silent.Record();
    EXPECT_EQ(played(silent), std::vector<uint8_t>(30000, 0));
  }
  be->audio().setCaptureSource(littleEndian({1000, -20}));
  CWaveRecorder shortOne(6666);  // 9,999 bytes: all in the kept tail
  shortOne.Record();
  const std::vector<uint8_t> bytes = played(shortOne);
  ASSERT_EQ(bytes.size(), 9999u);
  EXPECT_EQ(sampleAt(bytes, 0), 1000);
  EXPECT_EQ(sampleAt(bytes, 1), -20);
}

TEST_F(WaveRecorder, StuckInputEndsTheWaitAndUnfilledBytesAreSilent) {
  std::vector<int16_t> loud(5000, 0x2000);
  be->audio().setCaptureSource(littleEndian(loud));
  be->audio().stallAfter(AudioDirection::Capture, 1000);
  CWaveRecorder recorder(20000);
  const uint64_t start_ms = be->nowMs();
  recorder.Record();
  const uint64_t waited_ms = be->nowMs() - start_ms;
  // 1,000 bytes take about 23 ms; then the position stands still for the 2-second limit.
  EXPECT_GE(waited_ms, 2000u);
  EXPECT_LE(waited_ms, 2100u);
  ASSERT_TRUE(recorder.m_bRecorded);
  EXPECT_EQ(be->audio().openStreamCount(), 0);
  be->audio().clearFaults();
  const std::vector<uint8_t> bytes = played(recorder);
  ASSERT_EQ(bytes.size(), 30000u);
  EXPECT_EQ(sampleAt(bytes, 0), 32765);  // the loud part was normalised
  EXPECT_EQ(sampleAt(bytes, 499), 32765);
  for (size_t i = 1000; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST_F(WaveRecorder, StuckOutputEndsThePlayback) {
  CWaveRecorder recorder(100000);
  recorder.Record();
  be->audio().stallAfter(AudioDirection::Playback, 4410);
  const uint64_t start_ms = be->nowMs();
  recorder.Play();
  const uint64_t waited_ms = be->nowMs() - start_ms;
  EXPECT_GE(waited_ms, 2100u);  // about 100 ms of sound, then the 2-second limit
  EXPECT_LE(waited_ms, 2200u);
  EXPECT_EQ(be->audio().openStreamCount(), 0);
}

TEST_F(WaveRecorder, PlayDoesNotWaitWhenOutputFails) {
  CWaveRecorder recorder(100000);
  recorder.Record();
  be->audio().failOpens(AudioDirection::Playback);
  uint64_t start_ms = be->nowMs();
  recorder.Play();
  EXPECT_EQ(be->nowMs(), start_ms);
  EXPECT_TRUE(be->audio().trace().empty());

  for (WaveStep step : {WaveStep::OutPrepare, WaveStep::OutWrite}) {
    platform::clearWaveFaults();
    platform::failWaveStep(step, MMSYSERR_NOMEM);
    start_ms = be->nowMs();
    recorder.Play();
    EXPECT_LT(be->nowMs() - start_ms, 5u);
    EXPECT_EQ(be->audio().openStreamCount(), 0);
  }
  platform::clearWaveFaults();
  EXPECT_EQ(played(recorder).size(), 116666u) << "playing works again";
  EXPECT_TRUE(be->messageBoxes().empty()) << "playback errors are not reported";
}

TEST_F(WaveRecorder, NothingRecordedPlaysNothing) {
  CWaveRecorder recorder(100000);
  recorder.Play();
  EXPECT_TRUE(be->audio().trace().empty());
  EXPECT_EQ(be->audio().opensTotal(), 0);
  EXPECT_EQ(recorder.m_nSize, 100000);
}

TEST_F(WaveRecorder, EachFailingStartCallIsReportedAndRecordingRecovers) {
  struct Row { const char* call; WaveStep step; bool open; MMRESULT code; };
  const Row rows[] = {
      {"waveInOpen", WaveStep::InPrepare, true, MMSYSERR_NODRIVER},
      {"waveInPrepareHeader", WaveStep::InPrepare, false, MMSYSERR_NOMEM},
      {"waveInAddBuffer", WaveStep::InAddBuffer, false, WAVERR_UNPREPARED},
      {"waveInStart", WaveStep::InStart, false, MMSYSERR_INVALHANDLE},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.call);
    be->answerMessageBoxes({});
    const size_t boxes = be->messageBoxes().size();
    if (row.open) be->audio().failOpens(AudioDirection::Capture);
    else platform::failWaveStep(row.step, row.code);
    CWaveRecorder recorder(1000);
    recorder.Record();
    platform::clearWaveFaults();
    ASSERT_EQ(be->messageBoxes().size(), boxes + 1);
    const auto& box = be->messageBoxes().back();
    EXPECT_EQ(box.caption, row.call);
    EXPECT_EQ(box.text, errorText(row.code));
    EXPECT_FALSE(box.text.empty());
    EXPECT_EQ(box.flags, static_cast<unsigned>(MB_OK));
    EXPECT_FALSE(box.has_owner);
    EXPECT_FALSE(recorder.m_bRecorded);
    EXPECT_EQ(recorder.m_pHeader, nullptr) << "buffers freed after a failed start";
    EXPECT_EQ(be->audio().openStreamCount(), 0) << "device closed after a failed start";
    be->audio().clearTrace();
    recorder.Play();
    EXPECT_TRUE(be->audio().trace().empty());

    recorder.Record();  // the device is free again
    EXPECT_TRUE(recorder.m_bRecorded);
    EXPECT_EQ(be->messageBoxes().size(), boxes + 1);
    EXPECT_EQ(played(recorder).size(), static_cast<size_t>(recorder.m_nSize));
  }
}

TEST_F(WaveRecorder, LateDevicesKeepTheirTakesAndAMicrophoneThatNeverDeliversIsReported) {
  std::vector<int16_t> loud(20000, 0x2000);
  be->audio().setCaptureSource(littleEndian(loud));
  // A microphone that begins 3 s late still gives the whole take; playback that begins late
  // still plays all of it.
  be->audio().startLate(AudioDirection::Capture, 3000);
  be->audio().startLate(AudioDirection::Playback, 3000);
  CWaveRecorder late(20000);
  late.Record();
  ASSERT_TRUE(late.m_bRecorded);
  EXPECT_TRUE(be->messageBoxes().empty());
  const std::vector<uint8_t> bytes = played(late);
  ASSERT_EQ(bytes.size(), 30000u);
  EXPECT_EQ(be->audio().trace()[0].heard_bytes, 30000u) << "played to the end";
  EXPECT_EQ(sampleAt(bytes, 0), 32765) << "the learner's voice, normalised";

  // A microphone that never delivers a byte: given up after 5 s, reported once as a failing
  // input call, and no silent take kept in place of the learner's voice.
  be->audio().startLate(AudioDirection::Capture, 600000);
  CWaveRecorder dead(20000);
  const uint64_t start_ms = be->nowMs();
  dead.Record();
  EXPECT_GE(be->nowMs() - start_ms, 5000u);
  EXPECT_LE(be->nowMs() - start_ms, 5010u);
  EXPECT_FALSE(dead.m_bRecorded);
  ASSERT_EQ(be->messageBoxes().size(), 1u);
  EXPECT_EQ(be->messageBoxes()[0].caption, "waveInGetPosition");
  EXPECT_EQ(be->messageBoxes()[0].text, errorText(MMSYSERR_NOTENABLED));
  EXPECT_EQ(be->audio().openStreamCount(), 0);
  be->audio().clearTrace();
  dead.Play();
  EXPECT_TRUE(be->audio().trace().empty()) << "nothing to play";
}
