// Saving in the editor: the author's file keeps every comment, order and blank line; only the
// numbers that changed are rewritten, where they stand.
#include <gtest/gtest.h>

#include "tools/zorva-lesson/editor/LessonEdits.h"

namespace {

using namespace zorva::editor;

const std::string kLesson =
    "# my course\n"
    "[title]\n"
    "text = [\"Kurs\"]\n"
    "\n"
    "[[lesson]]\n"
    "number = 1\n"
    "  [[lesson.page]]   # page 1\n"
    "  picture = \"p1.png\"\n"
    "\n"
    "    [[lesson.page.item]]\n"
    "    rect = [ 30,50 , 300, 95 ]   # by eye\n"
    "    audio = \"all.mp3\"\n"
    "    from = 1.5\n"
    "    to = 2.250  # too late?\n"
    "    # say = \"Guten Morgen!\"\n"
    "\n"
    "    [[lesson.page.item]]\n"
    "    rect = [30, 100, 420, 140]\n"
    "    audio = \"all.mp3\"\n"
    "\n"
    "  # page 2\n"
    "  [[lesson.page]]\n"
    "  text = [\"Hallo – wie geht's?\"]\n";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

struct Case {
  const char* what;
  std::vector<ValueChange> changes;
  std::vector<NewItem> added;
  std::string expected;
};

TEST(LessonEdits, OnlyTheChangedNumbersAreWrittenWhereTheyStand) {
  const EditableLesson lesson = parseEditableLesson("/course/lesson.toml", kLesson);
  const Case cases[] = {
      {"one corner", {{0, 0, "rect", {30, 50, 312, 95}}}, {}, replaced(kLesson, " 300,", " 312,")},
      {"times equal to the millisecond", {{0, 0, "from", {1.5004}}, {0, 0, "to", {2.25}}}, {}, kLesson},
      {"a cut's end", {{0, 0, "to", {2.1}}}, {}, replaced(kLesson, "to = 2.250", "to = 2.100")},
      {"a cut given where there was none",
       {{0, 1, "to", {4.0}}},
       {},
       replaced(kLesson, "audio = \"all.mp3\"\n\n", "audio = \"all.mp3\"\n    to = 4.000\n\n")},
      {"a new item after the page's last",
       {},
       {{0, {5, 6, 70, 80}}},
       replaced(kLesson, "[30, 100, 420, 140]\n    audio = \"all.mp3\"\n",
                "[30, 100, 420, 140]\n    audio = \"all.mp3\"\n\n    [[lesson.page.item]]\n    rect = [5, 6, 70, 80]\n")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(applyChanges(lesson, c.changes, c.added), c.expected) << c.what;
    EXPECT_EQ(parseEditableLesson("/course/lesson.toml", applyChanges(lesson, c.changes, c.added)).pages.size(), 2u) << c.what;
  }
}

TEST(LessonEdits, ImpossibleCorrectionsAreRefused) {
  const EditableLesson lesson = parseEditableLesson("/course/lesson.toml", kLesson);
  const ValueChange refused[] = {
      {0, 2, "rect", {1, 2, 3, 4}},      // no third item
      {0, 0, "rect", {30, 50, 20, 95}},  // right left of left
      {0, 0, "rect", {30.5, 50, 300, 95}},
      {0, 0, "audio", {1}},
      {0, 0, "from", {-1}},
      {1, 0, "to", {1}},  // page 2 has no items
  };
  for (const ValueChange& change : refused) {
    EXPECT_THROW(applyChanges(lesson, {change}, {}), EditRefused) << change.key << " of item " << change.item + 1;
  }
}

}  // namespace
