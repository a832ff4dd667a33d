// The waveform calls on the headless virtual devices: result codes, positions, recordings,
// PlaySoundA's timing and the trace of sounds heard.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/audio/MMSystem.h"
#include "platform/win32/audio/WaveFaults.h"

using namespace zorva::platform;

namespace {

WAVEFORMATEX voiceFormat() { return {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0}; }

std::vector<uint8_t> waveImage(const std::vector<uint8_t>& samples, uint16_t channels = 1, uint32_t rate = 22050) {
  std::vector<uint8_t> img(44);
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) img[at + i] = uint8_t(v >> (8 * i)); };
  auto put16 = [&](size_t at, uint16_t v) { img[at] = uint8_t(v); img[at + 1] = uint8_t(v >> 8); };
  std::memcpy(&img[0], "RIFF", 4); put32(4, uint32_t(36 + samples.size()));
  std::memcpy(&img[8], "WAVEfmt ", 8); put32(16, 16); put16(20, 1); put16(22, channels);
  put32(24, rate); put32(28, rate * channels * 2); put16(32, uint16_t(channels * 2)); put16(34, 16);
  std::memcpy(&img[36], "data", 4); put32(40, uint32_t(samples.size()));
  img.insert(img.end(), samples.begin(), samples.end());
  return img;
}

std::vector<uint8_t> ramp(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i * 7 + 3);
  return v;
}

class WaveDevices : public ::testing::Test {
 protected:
  void SetUp() override { clearWaveFaults(); be = &HeadlessBackend::install(); }
  void TearDown() override { clearWaveFaults(); }
  HeadlessBackend* be = nullptr;
};

DWORD position(HWAVEIN h) { MMTIME t{}; t.wType = TIME_BYTES; EXPECT_EQ(waveInGetPosition(h, &t, sizeof t), 0u); return t.u.cb; }
DWORD position(HWAVEOUT h) { MMTIME t{}; t.wType = TIME_BYTES; EXPECT_EQ(waveOutGetPosition(h, &t, sizeof t), 0u); return t.u.cb; }

}  // namespace

TEST_F(WaveDevices, ResultCodesForMissingDeviceBadFormatAndEachFailingStep) {
  WAVEFORMATEX f = voiceFormat();
  HWAVEIN in = nullptr;
  be->audio().setNoDevice(true);
  EXPECT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
  HWAVEOUT out = nullptr;
  EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
  be->audio().setNoDevice(false);
  EXPECT_EQ(waveInOpen(&in, 7, &f, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  WAVEFORMATEX bad = f; bad.wBitsPerSample = 24;
  EXPECT_EQ(waveInOpen(&in, WAVE_MAPPER, &bad, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  be->audio().failOpens(AudioDirection::Capture);
  EXPECT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
  ASSERT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), 0u);

  std::vector<char> buf(1000);
  WAVEHDR h{}; h.lpData = buf.data(); h.dwBufferLength = 1000;
  EXPECT_EQ(waveInAddBuffer(in, &h, sizeof h), WAVERR_UNPREPARED);
  failWaveStep(WaveStep::InPrepare, MMSYSERR_NOMEM);
  EXPECT_EQ(waveInPrepareHeader(in, &h, sizeof h), MMSYSERR_NOMEM);
  clearWaveFaults();
  ASSERT_EQ(waveInPrepareHeader(in, &h, sizeof h), 0u);
  failWaveStep(WaveStep::InAddBuffer, MMSYSERR_ERROR);
  EXPECT_EQ(waveInAddBuffer(in, &h, sizeof h), MMSYSERR_ERROR);
  clearWaveFaults();
  ASSERT_EQ(waveInAddBuffer(in, &h, sizeof h), 0u);
  EXPECT_EQ(waveInAddBuffer(in, &h, sizeof h), WAVERR_STILLPLAYING);
  failWaveStep(WaveStep::InStart, MMSYSERR_ERROR);
  EXPECT_EQ(waveInStart(in), MMSYSERR_ERROR);
  clearWaveFaults();
  EXPECT_EQ(waveInReset(in), 0u);
  EXPECT_EQ(waveInUnprepareHeader(in, &h, sizeof h), 0u);
  EXPECT_EQ(waveInClose(in), 0u);
  EXPECT_EQ(waveInStart(in), MMSYSERR_INVALHANDLE);  // closed handles stay invalid
  EXPECT_EQ(be->audio().openStreamCount(), 0);
}

TEST_F(WaveDevices, ErrorTextsAreEnglishAndAlwaysTerminated) {
  char text[100];
  for (MMRESULT code : {MMSYSERR_NODRIVER, MMSYSERR_BADDEVICEID, WAVERR_BADFORMAT, WAVERR_UNPREPARED}) {
    ASSERT_EQ(waveInGetErrorTextA(code, text, sizeof text), 0u);
    EXPECT_GT(std::strlen(text), 10u);
  }
  char tiny[5];
  std::memset(tiny, 'x', sizeof tiny);
  waveInGetErrorTextA(MMSYSERR_NODRIVER, tiny, sizeof tiny);
  EXPECT_EQ(tiny[4], '\0');
  EXPECT_EQ(std::strlen(tiny), 4u);
  EXPECT_EQ(waveInGetErrorTextA(9999, text, sizeof text), MMSYSERR_BADERRNUM);
}

TEST_F(WaveDevices, RecordingOfGrownSizeHoldsSuppliedSamplesAfterDelay) {
  const size_t size = 116666;
  std::vector<uint8_t> voice = ramp(size);
  be->audio().setCaptureSource(voice, 100);  // 100 ms of silence first: 4410 bytes
  WAVEFORMATEX f = voiceFormat();
  HWAVEIN in = nullptr;
  ASSERT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), 0u);
  std::vector<char> buf(size, char(0x55));
  WAVEHDR h{}; h.lpData = buf.data(); h.dwBufferLength = size;
  ASSERT_EQ(waveInPrepareHeader(in, &h, sizeof h), 0u);
  ASSERT_EQ(waveInAddBuffer(in, &h, sizeof h), 0u);
  const uint64_t t0 = be->nowMs();
  ASSERT_EQ(waveInStart(in), 0u);
  DWORD last = 0;
  int polls = 0;
  while (true) {
    DWORD p = position(in);
    ASSERT_GE(p, last);
    last = p;
    if (p >= size - 10 || ++polls > 100000) break;
  }
  EXPECT_EQ(last, size);  // reaches the buffer's end exactly
  for (int i = 0; i < 50; ++i) EXPECT_EQ(position(in), size);  // and stops there
  EXPECT_NEAR(double(be->nowMs() - t0), size * 1000.0 / 44100, 60.0);
  EXPECT_EQ(h.dwBytesRecorded, size);
  EXPECT_TRUE(h.dwFlags & WHDR_DONE);
  for (size_t i = 0; i < 4410; ++i) ASSERT_EQ(uint8_t(buf[i]), 0) << i;
  for (size_t i = 4410; i < size; ++i) ASSERT_EQ(uint8_t(buf[i]), voice[i - 4410]) << i;
  waveInReset(in); waveInStop(in); h.dwFlags = 0;
  EXPECT_EQ(waveInUnprepareHeader(in, &h, sizeof h), 0u);
  EXPECT_EQ(waveInClose(in), 0u);
}

TEST_F(WaveDevices, StalledPositionStopsGrowingButQueriesStillLetTimePass) {
  be->audio().stallAfter(AudioDirection::Capture, 2000);
  WAVEFORMATEX f = voiceFormat();
  HWAVEIN in = nullptr;
  ASSERT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), 0u);
  std::vector<char> buf(10000);
  WAVEHDR h{}; h.lpData = buf.data(); h.dwBufferLength = 10000;
  waveInPrepareHeader(in, &h, sizeof h); waveInAddBuffer(in, &h, sizeof h); waveInStart(in);
  const uint64_t t0 = be->nowMs();
  for (int i = 0; i < 500; ++i) position(in);
  EXPECT_EQ(position(in), 2000u);
  EXPECT_GE(be->nowMs() - t0, 400u);  // each fruitless query waited about a millisecond
  waveInReset(in); waveInUnprepareHeader(in, &h, sizeof h); waveInClose(in);
}

TEST_F(WaveDevices, PlaybackPositionGrowsToBufferEndAndIsTraced) {
  WAVEFORMATEX f = voiceFormat();
  HWAVEOUT out = nullptr;
  ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), 0u);
  std::vector<uint8_t> voice = ramp(44100);
  WAVEHDR h{}; h.lpData = reinterpret_cast<char*>(voice.data()); h.dwBufferLength = 44100;
  EXPECT_EQ(waveOutWrite(out, &h, sizeof h), WAVERR_UNPREPARED);
  ASSERT_EQ(waveOutPrepareHeader(out, &h, sizeof h), 0u);
  const uint64_t t0 = be->nowMs();
  ASSERT_EQ(waveOutWrite(out, &h, sizeof h), 0u);
  DWORD last = 0;
  while (last < 44100 - 10) { DWORD p = position(out); ASSERT_GE(p, last); last = p; }
  EXPECT_EQ(be->nowMs() - t0, 1000u);
  EXPECT_EQ(position(out), 44100u);
  waveOutReset(out); h.dwFlags = 0; waveOutUnprepareHeader(out, &h, sizeof h);
  EXPECT_EQ(waveOutClose(out), 0u);
  ASSERT_EQ(be->audio().trace().size(), 1u);
  const TracedSound& s = be->audio().trace()[0];
  EXPECT_EQ(s.kind, SoundKind::WaveOutWrite);
  EXPECT_EQ(s.start_ms, t0);
  EXPECT_EQ(s.end_ms, t0 + 1000);
  EXPECT_EQ(s.bytes, voice);
  EXPECT_EQ(s.heard_bytes, 44100u);
}

TEST_F(WaveDevices, PlaySoundReturnsAfterImageDurationAndTraceKeepsOrder) {
  be->advanceClock(50);
  auto first = waveImage(ramp(22050));   // 0.5 s
  auto second = waveImage(ramp(4410));   // 0.1 s
  ASSERT_TRUE(PlaySoundA(reinterpret_cast<LPCSTR>(first.data()), nullptr, SND_MEMORY));
  EXPECT_EQ(be->nowMs(), 550u);
  ASSERT_TRUE(PlaySoundA(reinterpret_cast<LPCSTR>(second.data()), nullptr, SND_MEMORY));
  EXPECT_EQ(be->nowMs(), 650u);
  const auto& tr = be->audio().trace();
  ASSERT_EQ(tr.size(), 2u);
  EXPECT_EQ(tr[0].kind, SoundKind::PlaySound);
  EXPECT_EQ(tr[0].start_ms, 50u); EXPECT_EQ(tr[0].end_ms, 550u);
  EXPECT_EQ(tr[0].bytes, ramp(22050));
  EXPECT_EQ(tr[1].start_ms, 550u); EXPECT_EQ(tr[1].bytes, ramp(4410));
  EXPECT_EQ(be->audio().openStreamCount(), 0);
}

TEST_F(WaveDevices, PlaySoundRefusesBadImagesAndMissingDevice) {
  auto img = waveImage(ramp(100));
  auto bad = img; bad[8] = 'X';  // not WAVE
  EXPECT_FALSE(PlaySoundA(reinterpret_cast<LPCSTR>(bad.data()), nullptr, SND_MEMORY));
  auto fmt = img; fmt[20] = 3;   // not PCM
  EXPECT_FALSE(PlaySoundA(reinterpret_cast<LPCSTR>(fmt.data()), nullptr, SND_MEMORY));
  auto small = img; small[4] = 20; small[5] = small[6] = small[7] = 0;  // RIFF ends inside fmt
  EXPECT_FALSE(PlaySoundA(reinterpret_cast<LPCSTR>(small.data()), nullptr, SND_MEMORY));
  EXPECT_FALSE(PlaySoundA(reinterpret_cast<LPCSTR>(img.data()), nullptr, SND_MEMORY | SND_ASYNC));
  auto empty = waveImage({});
  const uint64_t t0 = be->nowMs();
  EXPECT_TRUE(PlaySoundA(reinterpret_cast<LPCSTR>(empty.data()), nullptr, SND_MEMORY));
  EXPECT_EQ(be->nowMs(), t0);
  be->audio().setNoDevice(true);
  EXPECT_FALSE(PlaySoundA(reinterpret_cast<LPCSTR>(img.data()), nullptr, SND_MEMORY));
  be->audio().setNoDevice(false);
  be->audio().stallAfter(AudioDirection::Playback, 10);
  EXPECT_FALSE(PlaySoundA(reinterpret_cast<LPCSTR>(img.data()), nullptr, SND_MEMORY));  // gives up
  ASSERT_FALSE(be->audio().trace().empty());
  EXPECT_EQ(be->audio().trace().back().heard_bytes, 10u);
}

TEST_F(WaveDevices, PlaySoundWaitsLongerForTheFirstByteThanForTheNext) {
  // A device slow to begin (a headset, a sound server waking up) still plays the whole sound;
  // one that never begins is given up after the first-byte allowance.
  struct Row { const char* what; uint64_t late_ms; BOOL played; uint64_t took_min_ms, took_max_ms; };
  const Row rows[] = {
      {"begins 3 s late", 3000, TRUE, 3500, 3510},
      {"never begins", 600000, FALSE, 5000, 5010},
  };
  const auto img = waveImage(ramp(22050));  // 0.5 s
  for (const Row& row : rows) {
    be->audio().startLate(AudioDirection::Playback, row.late_ms);
    const uint64_t t0 = be->nowMs();
    EXPECT_EQ(PlaySoundA(reinterpret_cast<LPCSTR>(img.data()), nullptr, SND_MEMORY), row.played) << row.what;
    EXPECT_GE(be->nowMs() - t0, row.took_min_ms) << row.what;
    EXPECT_LE(be->nowMs() - t0, row.took_max_ms) << row.what;
    EXPECT_EQ(be->audio().trace().back().heard_bytes, row.played ? 22050u : 0u) << row.what;
  }
}
