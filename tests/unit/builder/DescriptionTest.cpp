#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/unit/builder/BuilderFixture.h"
#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/LessonDescription.h"
#include "tools/zorva-lesson/Sound.h"

using namespace zorva::builder;

namespace {

const char* kMinimal = R"([title]
text = ["Title"]

[[lesson]]
number = 1
voice = "es"
  [[lesson.page]]
  info = "one"
  text = ["First line", "Second line"]
    [[lesson.page.item]]
    line = 1
    say = "Hola."
)";

std::string errorOf(const std::string& file) {
  try {
    readDescription(file);
  } catch (const BuildError& error) {
    return error.what();
  }
  return "";
}

}  // namespace

using DescriptionTest = BuilderFolder;

TEST_F(DescriptionTest, ReadsPagesItemsAndInheritedVoice) {
  const BookPlan book = readDescription(write("lesson.toml", kMinimal));
  ASSERT_EQ(book.lessons.size(), 1u);
  ASSERT_EQ(book.lessons[0].pages.size(), 1u);
  const PagePlan& page = book.lessons[0].pages[0];
  EXPECT_EQ(page.info, "one");
  EXPECT_EQ(page.picture.lines.size(), 2u);
  ASSERT_EQ(page.items.size(), 1u);
  EXPECT_EQ(page.items[0].line, 1);
  EXPECT_EQ(page.items[0].sound.kind, SoundPlan::Kind::Speech);
  EXPECT_EQ(page.items[0].sound.voice, "es");
}

// Each bad description gets one message naming the file and the line of the fault.
TEST_F(DescriptionTest, FaultsNameFileAndLine) {
  struct Row {
    const char* label;
    std::string text;
    std::string expected;  // part of the message
  };
  const std::string base = kMinimal;
  const std::vector<Row> rows = {
      {"typo in a key", base + "    voise = \"es\"\n", "lesson.toml:13: unknown key 'voise'"},
      {"missing audio file", base + "    [[lesson.page.item]]\n    line = 2\n    audio = \"nothere.wav\"\n",
       "lesson.toml:15: file not found"},
      {"inverted rectangle", base + "    [[lesson.page.item]]\n    rect = [200, 100, 150, 120]\n",
       "lesson.toml:14: 'rect' must have right > left"},
      {"rect and line both", base + "    [[lesson.page.item]]\n    rect = [120, 100, 150, 120]\n    line = 2\n",
       "lesson.toml:13: an item needs exactly one of 'rect' or 'line'"},
      {"lesson number out of range", "[title]\ntext=[\"x\"]\n[[lesson]]\nnumber = 7\n", "lesson.toml:4: lesson numbers"},
      {"TOML syntax", "[title\n", "lesson.toml:1:"},
  };
  for (const Row& row : rows) {
    const std::string message = errorOf(write("lesson.toml", row.text));
    EXPECT_NE(message.find(row.expected), std::string::npos) << row.label << ": got \"" << message << "\"";
  }
}

// A voice and its variant must both be installed; espeak-ng itself would speak a plain voice.
TEST_F(DescriptionTest, UnknownVoicesAndVariantsAreRefusedWithTheirLine) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"es+f3", ""},
      {"no-such-voice", "lesson.toml:16: voice 'no-such-voice' is not installed"},
      {"de+nosuchvariant", "lesson.toml:16: voice 'de+nosuchvariant': variant 'nosuchvariant' is not installed"},
  };
  for (const auto& [voice, refusal] : rows) {
    std::string text = kMinimal;
    text += "    [[lesson.page.item]]\n    line = 2\n    voice = \"" + voice + "\"\n    say = \"x\"\n";
    std::string message;
    try {
      assemble(readDescription(write("lesson.toml", text)));
    } catch (const BuildError& error) {
      message = error.what();
    }
    EXPECT_EQ(message.empty(), refusal.empty()) << voice << ": " << message;
    EXPECT_NE(message.find(refusal), std::string::npos) << voice << ": " << message;
  }
}

// Areas are measured on the page picture (a text page is 740x700) and moved by (110, -20) into
// the view; anything off the picture is refused with the picture's size and the allowed range.
TEST_F(DescriptionTest, RectanglesAreInPicturePixels) {
  struct Row {
    const char* label;
    const char* rect;
    ViewRect view;  // where it lands; left == right: refused
  };
  const std::vector<Row> rows = {
      {"whole picture", "[0, 0, 740, 700]", {110, -20, 850, 680}},
      {"measured area", "[30, 50, 300, 95]", {140, 30, 410, 75}},
      {"left of the picture", "[-1, 50, 300, 95]", {}},
      {"above the picture", "[30, -1, 300, 95]", {}},
      {"past the right edge", "[30, 50, 741, 95]", {}},
      {"past the bottom", "[30, 50, 300, 701]", {}},
  };
  for (const Row& row : rows) {
    const std::string text = std::string(kMinimal) + "    [[lesson.page.item]]\n    rect = " + row.rect + "\n";
    const BookPlan plan = readDescription(write("lesson.toml", text));
    try {
      const ViewRect got = assemble(plan).pages[0].items[1].audio;
      EXPECT_NE(row.view.left, row.view.right) << row.label << ": accepted";
      EXPECT_EQ(std::vector<int>({got.left, got.top, got.right, got.bottom}),
                std::vector<int>({row.view.left, row.view.top, row.view.right, row.view.bottom}))
          << row.label;
    } catch (const BuildError& error) {
      EXPECT_EQ(row.view.left, row.view.right) << row.label << ": " << error.what();
      EXPECT_NE(std::string(error.what()).find("lesson.toml:13: the item's rectangle"), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find("outside the 740x700 picture: left and right must lie within 0 to 740, "
                                               "top and bottom within 0 to 700"),
                std::string::npos)
          << error.what();
    }
  }
}

// The information line is refused when Zorva can't show a character of it, and warned about when
// the window shows only part of it (160 pixels of it are seen).
TEST_F(DescriptionTest, InfoLineIsWindows1252AndFitsItsArea) {
  struct Row {
    const char* label;
    std::string info;
    std::string refusal;  // part of the error; empty: accepted
    std::string warning;  // part of the one warning; empty: none
  };
  const std::vector<Row> rows = {
      {"ASCII", "Lesson 1 - page 1", "", ""},
      {"Western letters, dash and euro", "Übung – 5 €", "", ""},
      {"Greek", "Μάθημα 1", "lesson.toml:8: 'info' holds 'Μ' (U+039C), which Zorva can't show", ""},
      {"within what the window shows", std::string(11, 'W'), "", ""},
      {"wider than the window shows", std::string(12, 'W'), "",
       "lesson.toml:8: warning: 'info' is 168 pixels wide; Zorva's window shows 160 pixels of the information line, "
       "so 8 pixels are cut"},
      {"wider than the area", std::string(60, 'W'), "",
       "lesson.toml:8: warning: 'info' is 840 pixels wide; Zorva's window shows 160 pixels of the information line, "
       "so 680 pixels are cut"},
  };
  for (const Row& row : rows) {
    std::string text = kMinimal;
    text.replace(text.find("info = \"one\""), 12, "info = \"" + row.info + "\"");
    try {
      const BookPlan book = readDescription(write("lesson.toml", text));
      EXPECT_EQ(row.refusal, "") << row.label << ": accepted";
      ASSERT_EQ(book.warnings.size(), row.warning.empty() ? 0u : 1u) << row.label;
      if (!row.warning.empty()) {
        EXPECT_NE(book.warnings[0].find(row.warning), std::string::npos) << book.warnings[0];
      }
    } catch (const BuildError& error) {
      EXPECT_NE(row.refusal, "") << row.label << ": " << error.what();
      EXPECT_NE(std::string(error.what()).find(row.refusal), std::string::npos) << error.what();
    }
  }
}

// Zorva loads 14001.pge at both ends of a lesson: the builder writes a contents page there unless
// the description has its own lesson 0.
TEST_F(DescriptionTest, ContentsPageIsAlwaysWritten) {
  struct Row {
    const char* label;
    std::string extra;
    std::string info;  // of 14001.pge
    std::string next;
  };
  const std::vector<Row> rows = {
      {"generated", "", "Contents", "14101.pge"},
      {"in the course's words", "[contents]\ninfo = \"Índice\"\nlesson = \"Lección\"\nhelp = [\"Haz clic.\"]\n",
       "\xCDndice", "14101.pge"},
      {"the author's own", "[[lesson]]\nnumber = 0\n  [[lesson.page]]\n  info = \"mine\"\n  text = [\"x\"]\n", "mine", ""},
  };
  for (const Row& row : rows) {
    const std::string text = "[title]\ntext = [\"T\"]\n" + row.extra + std::string(kMinimal).substr(std::string(kMinimal).find("[[lesson]]"));
    const BuiltBook book = assemble(readDescription(write("lesson.toml", text)));
    const auto contents = std::find_if(book.pages.begin(), book.pages.end(),
                                       [](const auto& page) { return page.file_name == "14001.pge"; });
    ASSERT_NE(contents, book.pages.end()) << row.label;
    EXPECT_EQ(std::count_if(book.pages.begin(), book.pages.end(),
                            [](const auto& page) { return page.file_name == "14001.pge"; }),
              1)
        << row.label;
    EXPECT_EQ(contents->info.substr(0, contents->info.find_last_not_of(' ') + 1), row.info) << row.label;
    EXPECT_EQ(contents->prev_name, "") << row.label;
    EXPECT_EQ(contents->next_name, row.next) << row.label;
  }
}

TEST(RoleChains, ItemsOfOneRoleChainInPageOrder) {
  std::vector<zorva::lessonkit::Item> items(5);
  chainRoles(items, {"A", "B", "A", "", "B"});
  EXPECT_EQ(items[0].role_head, 0);
  EXPECT_EQ(items[0].next_in_role, 2);
  EXPECT_EQ(items[2].role_head, 0);
  EXPECT_EQ(items[2].next_in_role, -1);
  EXPECT_EQ(items[1].role_head, 1);
  EXPECT_EQ(items[1].next_in_role, 4);
  EXPECT_EQ(items[4].role_head, 1);
  EXPECT_EQ(items[3].role_head, -1);
  EXPECT_EQ(items[3].next_in_role, -1);
}

TEST_F(DescriptionTest, StereoAt44kHzBecomesMonoAt22kHzOfTheSameLength) {
  const int frames = 44100;  // one second
  std::vector<float> stereo(frames * 2);
  for (int f = 0; f < frames; ++f) {
    const float v = 0.5f * std::sin(2 * M_PI * 440.0 * f / 44100.0);
    stereo[f * 2] = v;
    stereo[f * 2 + 1] = v;
  }
  SF_INFO info{};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  const std::string wav = path("tone.wav");
  SNDFILE* out = sf_open(wav.c_str(), SFM_WRITE, &info);
  ASSERT_NE(out, nullptr);
  sf_writef_float(out, stereo.data(), frames);
  sf_close(out);

  const std::vector<int16_t> clip = loadSoundFile(wav, SourceRef{wav, 0});
  EXPECT_NEAR(static_cast<double>(clip.size()), 22050.0, 2.0);
  int16_t peak = 0;
  for (size_t i = 1000; i < clip.size() - 1000; ++i) peak = std::max<int16_t>(peak, clip[i]);
  EXPECT_NEAR(peak, 16383, 400);  // half scale survives the mix-down and the rate change
}
