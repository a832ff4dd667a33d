// Waveform calls on SDL's disk audio driver: what is played lands in a file, what is recorded
// comes from one.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/backend/AudioBackend.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/backend/sdl/SdlAudio.h"

namespace {

constexpr int kRateHz = 22050;

std::vector<int16_t> distinctSamples(size_t count, int seed) {
  std::vector<int16_t> out(count);
  for (size_t i = 0; i < count; ++i) out[i] = static_cast<int16_t>(((i * 37 + seed) % 60000) - 30000 + 1);
  return out;
}

void put32(std::vector<uint8_t>& b, uint32_t v) { for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i))); }
void put16(std::vector<uint8_t>& b, uint16_t v) { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); }

std::vector<uint8_t> waveImage(const std::vector<int16_t>& samples) {
  const uint32_t data_bytes = uint32_t(samples.size() * 2);
  std::vector<uint8_t> b{'R', 'I', 'F', 'F'};
  put32(b, 36 + data_bytes);
  for (char c : std::string("WAVEfmt ")) b.push_back(uint8_t(c));
  put32(b, 16);
  put16(b, 1);
  put16(b, 1);
  put32(b, kRateHz);
  put32(b, kRateHz * 2);
  put16(b, 2);
  put16(b, 16);
  for (char c : std::string("data")) b.push_back(uint8_t(c));
  put32(b, data_bytes);
  for (int16_t s : samples) put16(b, uint16_t(s));
  return b;
}

std::vector<int16_t> readSamples(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> out(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

class SdlDiskAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("zorva-disk-audio-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    out_ = dir_ / "out.raw";
    in_ = dir_ / "in.raw";
    input_ = distinctSamples(kRateHz, 11);  // one second to record from
    std::ofstream(in_, std::ios::binary).write(reinterpret_cast<const char*>(input_.data()),
                                               std::streamsize(input_.size() * 2));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out_.c_str(), 1);
    setenv("SDL_DISKAUDIOFILEIN", in_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    // No window: the headless desktop on the machine's clock, and SDL's sound devices.
    zorva::platform::HeadlessBackend::install(zorva::platform::HeadlessClock::Steady);
    zorva::platform::installAudioBackend(std::make_shared<zorva::platform::SdlAudio>());
    auto& sound = zorva::platform::audioBackend();
    const int probe = sound.openAudio(zorva::platform::AudioDirection::Playback, {});
    if (probe < 0) GTEST_SKIP() << "SDL's disk audio driver cannot be opened here";
    sound.closeAudio(probe);
  }
  void TearDown() override {
    zorva::platform::installDesktopBackend(nullptr);
    zorva::platform::installAudioBackend(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::filesystem::path dir_, out_, in_;
  std::vector<int16_t> input_;
};

TEST_F(SdlDiskAudioTest, PlayedImageAppearsSampleForSampleInTheOutputFile) {
  const std::vector<int16_t> sound = distinctSamples(kRateHz / 4, 5);
  const std::vector<uint8_t> image = waveImage(sound);
  ASSERT_NE(PlaySoundA(reinterpret_cast<LPCSTR>(image.data()), nullptr, SND_MEMORY | SND_SYNC), FALSE);
  zorva::platform::installAudioBackend(nullptr);  // closes the device: the file is complete
  const std::vector<int16_t> written = readSamples(out_);
  const auto at = std::search(written.begin(), written.end(), sound.begin(), sound.end());
  ASSERT_NE(at, written.end()) << "the sound's samples are not in the file of " << written.size();
}

TEST_F(SdlDiskAudioTest, RecordingHoldsTheInputFilesSamples) {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = 1;
  f.nSamplesPerSec = kRateHz;
  f.wBitsPerSample = 16;
  f.nBlockAlign = 2;
  f.nAvgBytesPerSec = kRateHz * 2;
  std::vector<int16_t> got(kRateHz / 4, 0);
  WAVEHDR h{};
  h.lpData = reinterpret_cast<LPSTR>(got.data());
  h.dwBufferLength = DWORD(got.size() * 2);
  HWAVEIN in = nullptr;
  ASSERT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  ASSERT_EQ(waveInPrepareHeader(in, &h, sizeof h), MMSYSERR_NOERROR);
  ASSERT_EQ(waveInAddBuffer(in, &h, sizeof h), MMSYSERR_NOERROR);
  ASSERT_EQ(waveInStart(in), MMSYSERR_NOERROR);
  MMTIME t{};
  t.wType = TIME_BYTES;
  const uint64_t give_up = zorva::platform::desktopBackend().nowMs() + 10000;
  do {
    ASSERT_EQ(waveInGetPosition(in, &t, sizeof t), MMSYSERR_NOERROR);
  } while (t.u.cb < h.dwBufferLength && zorva::platform::desktopBackend().nowMs() < give_up);
  EXPECT_EQ(t.u.cb, h.dwBufferLength);
  waveInReset(in);
  waveInStop(in);
  waveInUnprepareHeader(in, &h, sizeof h);
  waveInClose(in);
  const auto at = std::search(input_.begin(), input_.end(), got.begin() + 64, got.end());
  ASSERT_NE(at, input_.end()) << "the recording is not a run of the input file's samples";
  EXPECT_EQ(got[0], input_[0]) << "the recording starts with the file's first sample";
}

}  // namespace
