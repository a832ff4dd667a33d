// The program's own numbers for what a page holds and where it is shown agree with the one
// description of the data files that the writer, the checker and the builder take theirs from.
#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "lesson/LessonBook.h"
#include "tools/lessonkit/FileLayout.h"

namespace lk = zorva::lessonkit;

TEST(FileLayout, TheProgramsLimitsAreTheDescriptions) {
  struct Row {
    const char* label;
    int program;
    int description;
  };
  const Row rows[] = {
      {"item slots", CLessonBook::kMaxItems, lk::kMaxItems},
      {"view width", CMainFrame::kBookWidth, lk::kViewWidth},
      {"view height", CMainFrame::kBookHeight, lk::kViewHeight},
      {"information area left", CLessonBook::kInfoLeft, lk::kInfoLeft},
      {"information area top", CLessonBook::kInfoTop, lk::kInfoTop},
      {"information area right", CLessonBook::kInfoRight, lk::kInfoRight},
      {"information area bottom", CLessonBook::kInfoBottom, lk::kInfoBottom},
  };
  for (const Row& row : rows) EXPECT_EQ(row.program, row.description) << row.label;
}
