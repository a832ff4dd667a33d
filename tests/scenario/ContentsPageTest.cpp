// The ends of a built lesson: "Previous Page" on its first page and "Next Page" on its last lead
// to the contents page the builder writes, and from there "Next Page" opens the lesson again.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "app/LessonView.h"
#include "lesson/LessonBook.h"
#include "tests/support/DataFolder.h"
#include "tests/support/Desktop.h"
#include "tools/zorva-lesson/Assembler.h"

namespace {

zorva::lessonkit::Book builtCourse() {
  char path[] = "/tmp/zorva-contents-XXXXXX.toml";
  const int fd = mkstemps(path, 5);
  std::ofstream(path) << "[title]\ntext = [\"Course\"]\n[[lesson]]\nnumber = 1\n"
                         "[[lesson.page]]\ninfo = \"one\"\ntext = [\"Page one\"]\n"
                         "[[lesson.page]]\ninfo = \"two\"\ntext = [\"Page two\"]\n";
  auto book = zorva::builder::assemble(zorva::builder::readDescription(path));
  close(fd);
  std::remove(path);
  return book;
}

class ContentsPage : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = std::make_unique<zorva::testing::DataFolder>(builtCourse());
    ASSERT_TRUE(AfxGetApp()->InitInstance());
    view_ = static_cast<CLessonView*>(AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST));
    desktop_.pumpUntilIdle();
    click(650, 110);  // "Lesson 1"
  }
  void TearDown() override {
    if (AfxGetMainWnd() != nullptr) AfxGetMainWnd()->DestroyWindow();
  }
  void click(int x, int y) {
    desktop_.click(view_->m_hWnd, x, y);
    desktop_.pumpUntilIdle();
  }
  CString page() const { return view_->m_pBook->m_strPageFile; }

  zorva::testing::Desktop desktop_;
  std::unique_ptr<zorva::testing::DataFolder> data_;
  CLessonView* view_ = nullptr;
};

TEST_F(ContentsPage, BothEndsOfTheLessonLeadToItAndItLeadsBack) {
  struct Step {
    const char* button;
    int y;
    const char* page;  // as the program names it: stored names are upper-cased
    const char* info;
  };
  const Step steps[] = {
      {"Previous Page on the first page", 60, "14001.pge", "Contents"},
      {"Next Page on the contents page", 84, "14101.PGE", "one"},
      {"Next Page", 84, "14102.PGE", "two"},
      {"Next Page on the last page", 84, "14001.pge", "Contents"},
  };
  ASSERT_STREQ(page(), "14101.pge");
  int x = 20;
  for (const Step& step : steps) {
    click(x += 20, step.y);  // a new point each time: two quick clicks on one point are a double click
    EXPECT_STREQ(page(), step.page) << step.button;
    // The builder pads the line with spaces so that it covers the information area.
    std::string info(view_->m_pBook->m_strPageInfo);
    info.erase(info.find_last_not_of(' ') + 1);
    EXPECT_EQ(info, step.info) << step.button;
  }
  EXPECT_TRUE(desktop_.backend().messageBoxes().empty()) << desktop_.backend().messageBoxes()[0].text;
}

}  // namespace
