// Text pages in any script, laid out by the builder and shown by the program: each row's two
// lines differ in one place, so a font without the glyphs (a row of equal boxes) shows as equal
// ink; the Arabic pair differs only in whether its letters may join, so unshaped text shows too.
#include "lesson/LessonBook.h"
#include "tests/unit/roundtrip/BuiltLesson.h"

namespace {

struct Script {
  const char* label;
  const char* line1;
  const char* line2;
  bool right_to_left;
};

const Script kScripts[] = {
    {"German", "Übung macht den Meister", "Ubung macht den Meister", false},
    {"Japanese", "日本語を話します", "日本人を話します", false},
    // U+200C (zero-width non-joiner) between the letters keeps each in its lone form.
    {"Arabic", "مرحبا بكم", "م\u200cر\u200cح\u200cب\u200cا ب\u200cك\u200cم", true},
};

// Text lines stand 40 pixels apart from picture row 40; the view shows the picture 20 rows up.
constexpr int kLine1Top = 40 - 6 - 20;
constexpr int kLine2Top = kLine1Top + 40;

class TextPages : public BuiltLesson {};

TEST_F(TextPages, EveryScriptIsDrawnShapedAndItsItemFollowsTheLine) {
  std::string description = "[title]\ntext = [\"Scripts\"]\n[[lesson]]\nnumber = 1\n";
  for (const Script& s : kScripts) {
    description += std::string("[[lesson.page]]\ntext = [\"") + s.line1 + "\", \"" + s.line2 +
                   "\"]\n[[lesson.page.item]]\nline = 1\nrole = \"A\"\nrole_mark = false\n";
  }
  build(description);
  CLessonBook book;
  book.OpenLesson(0, &dc_);
  for (const Script& s : kScripts) {
    SCOPED_TRACE(s.label);
    if (&s != kScripts) book.Navigate(2, &dc_);
    ASSERT_EQ(book.m_nItems, 1);
    const std::vector<bool> ink1 = inkIn(kLine1Top, kLine1Top + 40), ink2 = inkIn(kLine2Top, kLine2Top + 40);
    EXPECT_GT(std::count(ink1.begin(), ink1.end(), true), 100);
    EXPECT_NE(ink1, ink2) << "the two lines look the same";

    // The item's area holds all of line 1's ink, and a right-to-left line stands at the right.
    const CRect area = book.m_items[0]->m_rectAudio;
    const int width = 740;
    int ink_left = 1024, ink_right = 0, outside = 0;
    for (size_t i = 0; i < ink1.size(); ++i) {
      if (!ink1[i]) continue;
      const int x = 110 + static_cast<int>(i) % width, y = kLine1Top + static_cast<int>(i) / width;
      ink_left = std::min(ink_left, x);
      ink_right = std::max(ink_right, x);
      if (!area.PtInRect(CPoint(x, y))) ++outside;
    }
    EXPECT_EQ(outside, 0);
    // The role box stands where the line begins to be read.
    const CRect role = book.m_items[0]->m_rectRole;
    if (s.right_to_left) {
      EXPECT_GT(ink_left, 110 + 370) << "right-to-left text belongs at the right";
      EXPECT_GE(ink_right, 110 + 740 - 40 - 3);
      EXPECT_GT(role.left, area.right);
    } else {
      EXPECT_LE(ink_left, 110 + 40 + 3);
      EXPECT_LT(role.right, area.left);
    }
  }
  EXPECT_TRUE(desktop_->messageBoxes().empty());
}

}  // namespace
