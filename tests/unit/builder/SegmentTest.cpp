// `from` and `to` cut an item's clip out of a longer recording (a page read in one go).
#include <algorithm>
#include <vector>

#include "tests/support/WavFile.h"
#include "tests/unit/builder/BuilderFixture.h"
#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/Sound.h"

using namespace zorva::builder;

namespace {

// Two seconds at 22,050 Hz whose samples count up, so a cut's samples say where it lies.
void writeCountingWav(const std::string& path) {
  std::vector<short> samples(2 * kClipRateHz);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<short>(i % 30000);
  zorva::testing::writeWav(path, samples, kClipRateHz);
}

}  // namespace

using SegmentTest = BuilderFolder;

TEST_F(SegmentTest, FromAndToCutTheClipOrAreRefusedWithTheirLine) {
  writeCountingWav(path("page.wav"));
  const std::vector<int16_t> whole = loadSoundFile(path("page.wav"), SourceRef{});
  struct Row {
    const char* label;
    const char* keys;
    size_t first, end;     // the samples of the file the clip holds ...
    const char* expected;  // ... or part of the message refusing it
  };
  const std::vector<Row> rows = {
      {"a middle stretch", "audio = \"page.wav\"\n    from = 0.5\n    to = 1.25\n", 11025, 27563, nullptr},
      {"from alone runs to the end", "audio = \"page.wav\"\n    from = 1.5\n", 33075, 44100, nullptr},
      {"to alone starts at 0", "audio = \"page.wav\"\n    to = 0.1\n", 0, 2205, nullptr},
      {"to at the end", "audio = \"page.wav\"\n    from = 1\n    to = 2\n", 22050, 44100, nullptr},
      {"to before from", "audio = \"page.wav\"\n    from = 1\n    to = 0.5\n", 0, 0,
       "lesson.toml:8: 'to' must lie after 'from'"},
      {"negative time", "audio = \"page.wav\"\n    from = -1\n", 0, 0,
       "lesson.toml:11: 'from' must be a time in seconds"},
      {"on a spoken item", "say = \"Hallo\"\n    voice = \"de\"\n    from = 1\n", 0, 0,
       "'from' and 'to' need an 'audio' file"},
      {"from past the end", "audio = \"page.wav\"\n    from = 3\n", 0, 0, "'from' (3.00 s) lies past the end of"},
  };
  for (const Row& row : rows) {
    try {
      const BuiltBook book = assemble(readDescription(write("lesson.toml", std::string(kOneLinePage) + "    " + row.keys)));
      const std::vector<int16_t>& clip = book.pages[0].items[0].samples;
      ASSERT_EQ(row.expected, nullptr) << row.label << ": accepted";
      ASSERT_EQ(clip.size(), row.end - row.first) << row.label;
      EXPECT_TRUE(std::equal(clip.begin(), clip.end(), whole.begin() + static_cast<long>(row.first))) << row.label;
    } catch (const BuildError& error) {
      ASSERT_NE(row.expected, nullptr) << row.label << ": " << error.what();
      EXPECT_NE(std::string(error.what()).find(row.expected), std::string::npos) << row.label << ": " << error.what();
    }
  }
}
