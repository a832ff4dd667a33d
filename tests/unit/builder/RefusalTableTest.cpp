// `build` refuses what `check` refuses, in the same words, and writes nothing: each row is one
// fault, given as a description for `build` and, where it can reach the data files, as the same
// fault in a written folder for `check`.
#include <fstream>
#include <sstream>

#include "tests/support/WavFile.h"
#include "tests/unit/builder/BuilderFixture.h"
#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/BuildCommand.h"
#include "tools/zorva-lesson/Checker.h"

using namespace zorva;

namespace {

std::string course(const std::string& title, const std::string& lesson, const std::string& page) {
  return "title = {text = [\"T\"]" + title + "}\n[[lesson]]\nnumber = " + lesson + "\n[[lesson.page]]\n" + page;
}
std::string sound(const std::string& keys) { return "text = [\"x\"]\nitem = [{line = 1, " + keys + "}]"; }

}  // namespace

using RefusalTable = BuilderFolder;

TEST_F(RefusalTable, BuildAndCheckGiveTheSameVerdict) {
  zorva::testing::writeWav(path("rate1.wav"), std::vector<short>(10, 100), 1);
  zorva::testing::writeWav(path("rate3999.wav"), std::vector<short>(4000, 100), 3999);
  zorva::testing::writeWav(path("short.wav"), std::vector<short>(17640, 100), 22050);  // 0.8 s
  zorva::testing::writeWav(path("empty.wav"), {}, 22050);
  std::ofstream(path("wide.ppm")) << "P6\n1000 4\n255\n" << std::string(1000 * 4 * 3, '\x7f');
  struct Row {
    const char* label;
    std::string description;
    void (*damage)(lessonkit::Book&);  // the fault in a written folder; null: only sources show it
    std::string words;
  };
  const Row rows[] = {
      {"page picture wider than the view", course("", "1", "picture = \"wide.ppm\""),
       [](lessonkit::Book& b) { b.pages[0].picture = lessonkit::IndexedPicture::filled(1000, 4, 0); },
       "the page picture's width is 1000 pixels, more than the 914 pixels"},
      {"title picture taller than the view", course(", height = 800", "1", "text = [\"x\"]"),
       [](lessonkit::Book& b) { b.title = lessonkit::IndexedPicture::filled(40, 800, 0); },
       "the title picture's height is 800 pixels, more than the 716 pixels"},
      {"a course of lesson 2 only", course("", "2", "text = [\"x\"]"),
       [](lessonkit::Book& b) { b.pages[0].file_name = b.pages[1].next_name = "14201.pge"; },
       "lesson 1's first page is missing"},
      {"a sound at 1 Hz", course("", "1", sound("audio = \"rate1.wav\"")), nullptr,
       "rate1.wav: the sound's sample rate is 1 Hz, less than the 4000 Hz"},
      {"a sound at 3999 Hz", course("", "1", sound("audio = \"rate3999.wav\"")), nullptr,
       "the sound's sample rate is 3999 Hz"},
      {"'to' past the end", course("", "1", sound("audio = \"short.wav\", from = 0.5, to = 4.0")), nullptr,
       "'to' (4.00 s) lies past the end of " + path("short.wav") + ", which is 0.80 s long"},
      {"an empty sound", course("", "1", sound("audio = \"empty.wav\"")), nullptr, "empty.wav has no samples"},
  };
  for (const Row& row : rows) {
    std::filesystem::remove_all(root_ / "out");
    std::ostringstream out, errors;
    EXPECT_EQ(builder::buildCourse(write("lesson.toml", row.description), path("out"), out, errors), 1) << row.label;
    EXPECT_NE(errors.str().find(row.words), std::string::npos) << row.label << ": " << errors.str();
    EXPECT_FALSE(std::filesystem::exists(root_ / "out" / "ZORVADAT")) << row.label << ": written";
    if (row.damage == nullptr) continue;
    lessonkit::Book book = builder::assemble(builder::readDescription(write("lesson.toml", course("", "1", "text = [\"x\"]"))));
    row.damage(book);
    lessonkit::writeFolder(lessonkit::buildFolder(book), root_ / "out");
    EXPECT_EQ(builder::checkExitStatus(builder::checkLessonFolder(path("out"), out)), 1) << row.label;
    EXPECT_NE(out.str().find(row.words), std::string::npos) << row.label << ":\n" << out.str();
  }
}
