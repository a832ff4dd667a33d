// Slowed model clips, built from a sine and played by the program: `tempo` (given on a lesson, a
// page or an item, the nearest one counting) stretches the clip to 1/tempo of its length and
// keeps its pitch.
#include <cmath>

#include "lesson/LessonBook.h"
#include "tests/support/WavFile.h"
#include "tests/unit/roundtrip/BuiltLesson.h"

namespace {

constexpr double kToneHz = 440.0;
constexpr int kToneSamples = 22050;  // one second

void writeSine(const std::filesystem::path& path) {
  std::vector<short> samples(kToneSamples);
  for (int i = 0; i < kToneSamples; ++i) samples[i] = static_cast<short>(12000 * std::sin(2 * M_PI * kToneHz * i / 22050.0));
  zorva::testing::writeWav(path.string(), samples, 22050);
}

// The dominant frequency of a sine: its rising zero crossings over the middle half, per second.
double frequencyHz(const std::vector<int16_t>& s) {
  const size_t from = s.size() / 4, to = s.size() * 3 / 4;
  int rises = 0;
  for (size_t i = from + 1; i < to; ++i) rises += s[i - 1] < 0 && s[i] >= 0;
  return rises * 22050.0 / static_cast<double>(to - from);
}

class Tempo : public BuiltLesson {};

TEST_F(Tempo, SlowerClipsAreLongerAndKeepTheirPitch) {
  writeSine(root_ / "tone.wav");
  build(R"toml([title]
text = ["Tempo"]
[[lesson]]
number = 1
tempo = 0.5
  [[lesson.page]]
  tempo = 0.8
  text = ["a", "b", "c"]
    [[lesson.page.item]]
    line = 1
    audio = "tone.wav"
    [[lesson.page.item]]
    line = 2
    audio = "tone.wav"
    tempo = 1.0
    [[lesson.page.item]]
    line = 3
    audio = "tone.wav"
    tempo = 0.6
  [[lesson.page]]
  text = ["d"]
    [[lesson.page.item]]
    line = 1
    audio = "tone.wav"
)toml");
  struct Row {
    const char* label;
    int page, line;
    double tempo;
  };
  const Row rows[] = {
      {"the page's tempo", 1, 1, 0.8},
      {"the item's own normal tempo", 1, 2, 1.0},
      {"the item's own tempo", 1, 3, 0.6},
      {"the lesson's tempo", 2, 1, 0.5},
  };
  CLessonBook book;
  book.OpenLesson(0, &dc_);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    if (row.page == 2 && book.m_strPageFile != "14102.PGE") book.Navigate(2, &dc_);
    desktop_->audio().clearTrace();
    book.HandleClick(CPoint(155, 40 * row.line - 6), &dc_);  // on text line `line`: picture row 40 * line + 14
    ASSERT_EQ(desktop_->audio().trace().size(), 1u);
    const auto& bytes = desktop_->audio().trace()[0].bytes;
    std::vector<int16_t> heard(bytes.size() / 2);
    for (size_t i = 0; i < heard.size(); ++i) heard[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    EXPECT_NEAR(static_cast<double>(heard.size()), kToneSamples / row.tempo, 2.0);
    EXPECT_NEAR(frequencyHz(heard), kToneHz, kToneHz * 0.02);
  }
}

}  // namespace
