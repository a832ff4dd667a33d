// Finding a reader's pauses and choosing which of them end sentences.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tools/zorva-lesson/LessonDescription.h"
#include "tools/zorva-lesson/propose/PauseFinder.h"
#include "tools/zorva-lesson/propose/AlignedCuts.h"
#include "tools/zorva-lesson/propose/SentenceTiming.h"

using namespace zorva::propose;

namespace {

constexpr int kRate = 22050;

// Stretches of "speech" (a warbling tone) and silence, all over faint noise.
std::vector<int16_t> bursts(const std::vector<std::pair<bool, double>>& parts) {
  std::mt19937 random(7);
  std::normal_distribution<float> noise(0, 25);
  std::vector<int16_t> samples;
  for (const auto& [speech, seconds] : parts) {
    for (int i = 0; i < static_cast<int>(seconds * kRate); ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double tone = speech ? 8000 * std::sin(2 * M_PI * (180 + 40 * std::sin(2 * M_PI * 3 * t)) * t) : 0;
      samples.push_back(static_cast<int16_t>(tone + noise(random)));
    }
  }
  return samples;
}

}  // namespace

TEST(PauseFinder, PausesLongerThanAGapInsideAWordAreFoundWithinAFrame) {
  // speech 0.5-1.5, a 40 ms gap (a stop consonant), speech to 2.04, pauses of 0.25 s and 0.8 s.
  const SpeechMap map = findPauses(bursts({{false, 0.5},
                                           {true, 1.0},
                                           {false, 0.04},
                                           {true, 0.5},
                                           {false, 0.25},
                                           {true, 0.7},
                                           {false, 0.8},
                                           {true, 0.6},
                                           {false, 0.5}}),
                                   kRate);
  EXPECT_NEAR(map.first_speech_s, 0.5, 0.015);
  EXPECT_NEAR(map.last_speech_s, 4.39, 0.015);
  ASSERT_EQ(map.pauses.size(), 2u);
  EXPECT_NEAR(map.pauses[0].start_s, 2.04, 0.015);
  EXPECT_NEAR(map.pauses[0].end_s, 2.29, 0.015);
  EXPECT_NEAR(map.pauses[1].start_s, 2.99, 0.015);
  EXPECT_NEAR(map.pauses[1].end_s, 3.79, 0.015);
}

// Three sentences of 20, 40 and 20 letters read at 10 letters a second; the long one has a
// comma pause in its middle.
TEST(SentenceTiming, TheDynamicProgramTakesSentenceEndsNotCommaPauses) {
  struct Row {
    const char* label;
    std::vector<Pause> pauses;
    std::vector<int> letters;
    std::vector<SpeechSpan> expected;  // each cut's from and to
  };
  const std::vector<Row> rows = {
      {"a comma pause as long as the sentence ends",
       {{3.0, 3.6}, {5.6, 6.2}, {8.2, 8.8}},
       {20, 40, 20},
       {{0.95, 3.05}, {3.55, 8.25}, {8.75, 11.05}}},
      {"a comma pause longer than both ends",
       {{3.0, 3.4}, {5.4, 6.4}, {8.4, 8.8}},
       {20, 40, 20},
       {{0.95, 3.05}, {3.35, 8.45}, {8.75, 11.05}}},
      {"a pause shorter than twice the margin is cut in its middle",
       {{3.0, 3.06}},
       {20, 20},
       {{0.95, 3.03}, {3.03, 5.11}}},
  };
  for (const Row& row : rows) {
    SpeechMap map;
    map.first_speech_s = 1.0;
    map.last_speech_s = row.expected.back().end_s - kCutMarginS;
    map.pauses = row.pauses;
    const std::vector<Cut> cuts = cutSentences(map, row.letters, 20.0);
    ASSERT_EQ(cuts.size(), row.expected.size()) << row.label;
    for (size_t i = 0; i < cuts.size(); ++i) {
      EXPECT_NEAR(cuts[i].from_s, row.expected[i].start_s, 1e-9) << row.label << ", sentence " << i + 1;
      EXPECT_NEAR(cuts[i].to_s, row.expected[i].end_s, 1e-9) << row.label << ", sentence " << i + 1;
    }
  }
}

TEST(SentenceTiming, ARecordingThatCannotBeTheReadingIsRefused) {
  struct Row {
    const char* label;
    double speech_s;
    std::vector<Pause> pauses;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {"far shorter", 1.0, {{1.4, 1.8}}, "the recording is far shorter than the sentences"},
      {"far longer", 300.0, {{100, 101}}, "the recording is far longer than the sentences"},
      {"too few pauses", 20.0, {}, "too few for 2 sentences"},
      {"no speech at all", 0.0, {}, "the recording holds no speech"},
  };
  for (const Row& row : rows) {
    SpeechMap map;
    map.first_speech_s = 1.0;
    map.last_speech_s = 1.0 + row.speech_s;
    map.pauses = row.pauses;
    try {
      cutSentences(map, {60, 60}, 400.0);
      ADD_FAILURE() << row.label << ": accepted";
    } catch (const zorva::builder::BuildError& error) {
      EXPECT_NE(std::string(error.what()).find(row.expected), std::string::npos) << row.label << ": " << error.what();
    }
  }
}
