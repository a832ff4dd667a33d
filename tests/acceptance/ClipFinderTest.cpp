#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "tests/acceptance/ClipFinder.h"
#include "tests/acceptance/WavFile.h"

using namespace zorva::acceptance;

namespace {

// A speech-like burst: noise shaped by a slow envelope, different for each seed.
std::vector<double> burst(unsigned seed, size_t length) {
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0.0, 0.2);
  std::vector<double> out(length);
  for (size_t i = 0; i < length; ++i) out[i] = noise(random) * std::sin(3.14159 * double(i) / double(length));
  return out;
}

void place(std::vector<double>& into, const std::vector<double>& clip, size_t at, double gain) {
  for (size_t i = 0; i < clip.size(); ++i) into[at + i] += gain * clip[i];
}

}  // namespace

TEST(ClipFinder, FindsEachClipAtItsOffsetInTimeOrderWhateverItsLevel) {
  const auto first = burst(1, 2000), second = burst(2, 3000);
  std::vector<double> recording(40000, 0.0);
  place(recording, second, 5000, 0.3);   // quiet
  place(recording, first, 12000, 1.0);
  place(recording, second, 30000, 2.0);  // loud
  const auto hits = findClips(recording, {first, second}, 0.9);
  ASSERT_EQ(hits.size(), 3u);
  EXPECT_EQ(hits[0].clip, 1);
  EXPECT_EQ(hits[0].offset, 5000);
  EXPECT_EQ(hits[1].clip, 0);
  EXPECT_EQ(hits[1].offset, 12000);
  EXPECT_EQ(hits[2].clip, 1);
  EXPECT_EQ(hits[2].offset, 30000);
  for (const ClipHit& hit : hits) EXPECT_GT(hit.score, 0.99);
  EXPECT_LT(hits[0].peak_level, hits[2].peak_level);
}

TEST(ClipFinder, SilenceAndOtherSoundsDoNotMatch) {
  const auto clip = burst(3, 2000);
  std::vector<double> recording(20000, 0.0);
  place(recording, burst(4, 2000), 8000, 1.0);
  EXPECT_TRUE(findClips(recording, {clip}, 0.5).empty());
  const auto ncc = normalisedCorrelation(recording, clip);
  ASSERT_EQ(ncc.size(), recording.size() - clip.size() + 1);
  EXPECT_EQ(ncc[100], 0.0);  // an all-silent window
}

TEST(ClipFinder, NoisyCopyStillScoresAboveUnrelatedSound) {
  const auto clip = burst(5, 4000);
  std::vector<double> recording(30000, 0.0);
  place(recording, clip, 20000, 0.5);
  place(recording, burst(6, 30000), 0, 0.1);  // background noise over everything
  const auto hits = findClips(recording, {clip}, 0.7);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].offset, 20000);
}

// A dropout of the sound server puts silence into a clip or loses a stretch of it: the clip is
// still found once, from where it starts to where its last sample is heard.
TEST(ClipFinder, AClipCutByADropoutIsFoundOnceFromItsStartToItsEnd) {
  const auto clip = burst(8, 10000);
  const struct {
    const char* what;
    long cut_from, cut_to, silence, end;
  } rows[] = {{"silence inside", 4000, 4000, 2500, 12500}, {"a stretch lost", 4000, 5000, 0, 9000}};
  for (const auto& row : rows) {
    std::vector<double> heard(clip.begin(), clip.begin() + row.cut_from);
    heard.insert(heard.end(), size_t(row.silence), 0.0);
    heard.insert(heard.end(), clip.begin() + row.cut_to, clip.end());
    std::vector<double> recording(40000, 0.0);
    place(recording, heard, 7000, 1.0);
    const auto hits = findClips(recording, {clip}, 0.2);
    ASSERT_EQ(hits.size(), 1u) << row.what;
    EXPECT_EQ(hits[0].offset, 7000) << row.what;
    EXPECT_EQ(hits[0].end, 7000 + row.end) << row.what;
  }
}

TEST(ClipFinder, ClipLongerThanRecordingFindsNothing) {
  EXPECT_TRUE(findClips(std::vector<double>(100, 0.5), {burst(7, 200)}, 0.0).empty());
}

TEST(WavFile, ReadsStereoPcmMixedToMonoAndRejectsOtherFormats) {
  const auto path = std::filesystem::temp_directory_path() / "zorva-wavfile-test.wav";
  auto write = [&](uint16_t format, uint16_t bits) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    u32(36 + 8);
    out << "WAVEfmt ";
    u32(16); u16(format); u16(2); u32(8000); u32(32000); u16(4); u16(bits);
    out << "data";
    u32(8);
    u16(16384); u16(0);              // frame 1: 0.5 and 0
    u16(uint16_t(-32768)); u16(uint16_t(-32768));  // frame 2: -1 and -1
  };
  write(1, 16);
  const Wave wave = readWave(path.string());
  EXPECT_EQ(wave.rate_hz, 8000);
  ASSERT_EQ(wave.samples.size(), 2u);
  EXPECT_DOUBLE_EQ(wave.samples[0], 0.25);
  EXPECT_DOUBLE_EQ(wave.samples[1], -1.0);
  write(3, 32);
  EXPECT_THROW(readWave(path.string()), std::runtime_error);
  std::filesystem::remove(path);
}
