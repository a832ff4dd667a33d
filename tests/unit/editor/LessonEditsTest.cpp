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
  Corrections corrections;
  std::string expected;
};

TEST(LessonEdits, OnlyTheChangedNumbersAreWrittenWhereTheyStand) {
  const EditableLesson lesson = parseEditableLesson("/course/lesson.toml", kLesson);
  const Case cases[] = {
      {"one corner", {{{0, 0, "rect", {30, 50, 312, 95}}}}, replaced(kLesson, " 300,", " 312,")},
      {"times equal to the millisecond", {{{0, 0, "from", {1.5004}}, {0, 0, "to", {2.25}}}}, kLesson},
      {"a cut's end", {{{0, 0, "to", {2.1}}}}, replaced(kLesson, "to = 2.250", "to = 2.100")},
      {"a cut given where there was none",
       {{{0, 1, "to", {4.0}}}},
       replaced(kLesson, "audio = \"all.mp3\"\n\n", "audio = \"all.mp3\"\n    to = 4.000\n\n")},
      {"a new item after the page's last, cutting the page's recording",
       {{}, {{0, {5, 6, 70, 80}, "all.mp3", 2.25, 3}}},
       replaced(kLesson, "[30, 100, 420, 140]\n    audio = \"all.mp3\"\n",
                "[30, 100, 420, 140]\n    audio = \"all.mp3\"\n\n    [[lesson.page.item]]\n    rect = [5, 6, 70, 80]\n"
                "    audio = \"all.mp3\"\n    from = 2.250\n    to = 3.000\n")},
      {"the last item deleted, its change dropped and a new one in its place",
       {{{0, 1, "to", {4.0}}}, {{0, {5, 6, 70, 80}}}, {{0, 1}}},
       replaced(kLesson, "\n\n    [[lesson.page.item]]\n    rect = [30, 100, 420, 140]\n    audio = \"all.mp3\"\n",
                "\n\n    [[lesson.page.item]]\n    rect = [5, 6, 70, 80]\n")},
      {"the first item deleted with its own comments, the page's kept",
       {{}, {}, {{0, 0}}},
       replaced(kLesson, "\n\n    [[lesson.page.item]]\n    rect = [ 30,50 , 300, 95 ]   # by eye\n    audio = \"all.mp3\"\n"
                         "    from = 1.5\n    to = 2.250  # too late?\n    # say = \"Guten Morgen!\"", "")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(applyChanges(lesson, c.corrections), c.expected) << c.what;
    EXPECT_EQ(parseEditableLesson("/course/lesson.toml", applyChanges(lesson, c.corrections)).pages.size(), 2u) << c.what;
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
    EXPECT_THROW(applyChanges(lesson, Corrections{{change}}), EditRefused) << change.key << " of item " << change.item + 1;
  }
  EXPECT_THROW(applyChanges(lesson, Corrections{{}, {{0, {5, 6, 70, 80}, "../../etc/passwd", 0, 1}}}), EditRefused);
  EXPECT_THROW(applyChanges(lesson, Corrections{{}, {{0, {5, 6, 70, 80}, "all.mp3", 3, 2}}}), EditRefused);
  EXPECT_THROW(applyChanges(lesson, Corrections{{}, {}, {{0, 2}}}), EditRefused);
}

}  // namespace
