// Cutting a reading by aligning it with the synthesised sentences: the cuts land on the reader's
// speech in rooms that hide pauses, and speech on no sentence stays out of every item.
#include <gtest/gtest.h>

#include "tools/zorva-lesson/LessonDescription.h"
#include "tools/zorva-lesson/propose/RecordingCutter.h"
#include "tools/zorva-lesson/propose/evaluation/AudioFamilies.h"
#include "tools/zorva-lesson/propose/evaluation/Reading.h"
#include "tools/zorva-lesson/propose/evaluation/RoomSounds.h"

using namespace zorva;
using evaluation::Reading;

namespace {

constexpr double kNearS = 0.08;  // the share of cut points within 60 ms is the benchmark's to measure

const std::vector<std::string> kSentences = {"Peter buys a ticket at the counter.",
                                             "In the afternoon, it starts to rain.",
                                             "He opens his umbrella and goes to the park.", "Where do you go on holiday?"};

evaluation::ReadingStyle style(bool long_commas, const char* title) {
  evaluation::ReadingStyle s;
  s.long_commas = long_commas;
  s.spoken_title = title;
  return s;
}

Reading read(const evaluation::ReadingStyle& style, unsigned seed) {
  std::vector<evaluation::SpokenSentence> spoken;
  for (const std::string& s : kSentences) spoken.push_back({s, "en+f3"});
  std::mt19937 random(seed);
  return evaluation::readAloud(spoken, style, random);
}

}  // namespace

TEST(RecordingCutter, CutsLandOnTheReadersSpeech) {
  struct Row {
    const char* label;
    evaluation::ReadingStyle style;
    void (*room)(Reading&, std::mt19937&);
  };
  const std::vector<Row> rows = {
      {"a quiet room", style(false, ""), nullptr},
      {"brown noise at 20 dB", style(false, ""), [](Reading& r, std::mt19937& random) {
         evaluation::addNoise(r.samples, evaluation::NoiseColour::kBrown, 20, random);
       }},
      {"breaths and clicks", style(false, ""), [](Reading& r, std::mt19937& random) {
         evaluation::addBreathsAndClicks(r.samples, r.speech_start_s, r.speech_end_s, random);
       }},
      {"comma pauses longer than the sentences' own", style(true, ""), nullptr},
      {"a title said first", style(false, "Track twelve. Unit two, page fifteen."), nullptr},
  };
  for (const Row& row : rows) {
    Reading reading = read(row.style, 5);
    std::mt19937 random(9);
    if (row.room) row.room(reading, random);
    const propose::AlignedCuts cut = propose::cutRecording(reading.samples, kSentences, "en");
    ASSERT_EQ(cut.cuts.size(), kSentences.size()) << row.label;
    for (size_t s = 0; s < kSentences.size(); ++s) {
      EXPECT_NEAR(cut.cuts[s].from_s, reading.speech_start_s[s] - propose::kCutMarginS, kNearS) << row.label << " " << s;
      EXPECT_NEAR(cut.cuts[s].to_s, reading.speech_end_s[s] + propose::kCutMarginS, kNearS) << row.label << " " << s;
      EXPECT_EQ(cut.cuts[s].doubt, "") << row.label << " " << s;
    }
    const bool titled = !row.style.spoken_title.empty();
    ASSERT_EQ(cut.unlisted.size(), titled ? 1u : 0u) << row.label;
    if (titled) {
      EXPECT_LT(cut.unlisted[0].end_s, reading.speech_start_s[0]) << row.label;
    }
  }
}

// Music between the sentences seems to the pause finder to be speech going on: the alignment's
// edges place the cuts.
TEST(RecordingCutter, MusicUnderTheReadingDoesNotWidenTheCuts) {
  Reading reading = read(style(false, ""), 5);
  std::mt19937 random(9);
  evaluation::addHumAndMusic(reading.samples, random);
  const propose::AlignedCuts cut = propose::cutRecording(reading.samples, kSentences, "en");
  ASSERT_EQ(cut.cuts.size(), kSentences.size());
  for (size_t s = 0; s < kSentences.size(); ++s) {
    EXPECT_NEAR(cut.cuts[s].from_s, reading.speech_start_s[s] - propose::kCutMarginS, kNearS) << s;
    EXPECT_NEAR(cut.cuts[s].to_s, reading.speech_end_s[s] + propose::kCutMarginS, kNearS) << s;
  }
}

TEST(RecordingCutter, RefusesAnotherPagesReading) {
  const std::vector<std::string>& prose = evaluation::evaluationLanguages().front().prose;
  const std::vector<std::string> page(prose.begin(), prose.begin() + 9);
  try {
    propose::cutRecording(evaluation::anotherPagesReading(), page, "en");
    ADD_FAILURE() << "another page's reading was accepted";
  } catch (const builder::BuildError& error) {
    EXPECT_NE(std::string(error.what()).find("were not heard:\n  \""), std::string::npos) << error.what();
  }
}
