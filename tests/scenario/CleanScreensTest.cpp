// Courses the builder writes leave nothing of an earlier screen behind, though Zorva draws the
// information line and the title picture without clearing first: after every step of a walk
// through every page, the contents page and the menu, the screen equals a fresh repaint of it.
// Every role area shows its mark.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/LessonView.h"
#include "lesson/LessonBook.h"
#include "tests/support/DataFolder.h"
#include "tests/support/Desktop.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TempFolder.h"
#include "tools/zorva-lesson/Assembler.h"

namespace {

namespace fs = std::filesystem;

// Long and short information lines, a small picture, a page without a line and a dialogue.
const char* kInfoLines = R"toml([title]
text = ["Info lines"]
width = 300
height = 200

[[lesson]]
number = 1
  [[lesson.page]]
  info = "Lektion 1 – Seite 1: Dialog am Morgen"
  tabs = [80]
  text = ["Anna:\tGuten Morgen!", "Ben:\tHallo, Anna!"]
    [[lesson.page.item]]
    line = 1
    role = "Anna"
    [[lesson.page.item]]
    line = 2
    role = "Ben"
    role_rect = [4, 90, 12, 100]
  [[lesson.page]]
  info = "S. 2"
  text = ["Kurz"]
  width = 300
  height = 200
  [[lesson.page]]
  text = ["Ohne Zeile"]
)toml";

zorva::lessonkit::Book built(const fs::path& description) {
  return zorva::builder::assemble(zorva::builder::readDescription(description.string()));
}

enum Button { kLessons = 36, kPrevious = 60, kNext = 84 };  // y of the navigation buttons

class CleanScreens : public ::testing::Test {
 protected:
  void open(const zorva::lessonkit::Book& book) {
    data_ = std::make_unique<zorva::testing::DataFolder>(book);
    ASSERT_TRUE(AfxGetApp()->InitInstance());
    view_ = static_cast<CLessonView*>(AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST));
    desktop_.pumpUntilIdle();
  }
  void TearDown() override {
    if (AfxGetMainWnd() != nullptr) AfxGetMainWnd()->DestroyWindow();
  }

  // Clicks at a new point each time (two quick clicks on one point are a double click), then
  // compares the screen with the same screen repainted from scratch.
  void step(const std::string& name, int y, int x = 0) {
    clicks_ += 7;
    desktop_.click(view_->m_hWnd, x != 0 ? x : 20 + clicks_ % 70, y);
    desktop_.pumpUntilIdle();
    const zorva::testing::ScreenImage walked = clientImage(desktop_, view_->m_hWnd);
    ::InvalidateRect(view_->m_hWnd, nullptr, TRUE);
    ::UpdateWindow(view_->m_hWnd);
    desktop_.pumpUntilIdle();
    const zorva::testing::ScreenImage fresh = clientImage(desktop_, view_->m_hWnd);
    int left = 0;
    for (size_t i = 0; i < walked.pixels.size(); ++i) left += walked.pixels[i] != fresh.pixels[i];
    EXPECT_EQ(left, 0) << name << ": pixels of an earlier screen remain; see " << save(name, walked, fresh);
    expectRoleMarks(name, fresh);
  }

  std::string save(const std::string& name, const zorva::testing::ScreenImage& walked,
                   const zorva::testing::ScreenImage& fresh) const {
    const std::string stem = ::testing::UnitTest::GetInstance()->current_test_info()->name() + ("." + name);
    walked.writePng(start_dir_ / (stem + ".walked.png"));
    fresh.writePng(start_dir_ / (stem + ".repainted.png"));
    return (start_dir_ / stem).string() + ".{walked,repainted}.png";
  }

  // The mark lies left of the area's right-most column, where Zorva draws its own.
  void expectRoleMarks(const std::string& name, const zorva::testing::ScreenImage& screen) const {
    const CLessonBook& book = *view_->m_pBook;
    for (int i = 0; i < book.m_nItems; ++i) {
      const CRect& r = book.m_items[i]->m_rectRole;
      if (!book.m_items[i]->m_bHasRoleRect) continue;
      EXPECT_GE(r.Width(), 20) << name << " item " << i;
      EXPECT_GE(r.Height(), 16) << name << " item " << i;
      int ink = 0;
      for (int y = std::max(0, static_cast<int>(r.top)); y < r.bottom; ++y)
        for (int x = r.left; x < r.right - 2; ++x) ink += screen.pixels[y * screen.width + x] != RGB(255, 255, 255);
      EXPECT_GT(ink, 20) << name << ": no mark in item " << i << "'s role area";
    }
  }

  const fs::path start_dir_ = fs::current_path();
  zorva::testing::Desktop desktop_;
  std::unique_ptr<zorva::testing::DataFolder> data_;
  CLessonView* view_ = nullptr;
  int clicks_ = 0;
};

TEST_F(CleanScreens, DemoCourseEveryPageContentsMenuAndBack) {
  open(built(ZORVA_DEMO_LESSON));
  step("page 1", 110, 650);
  for (const char* page : {"page 2", "page 3", "page 4", "contents after the last page"}) step(page, kNext);
  step("menu", kLessons);
  step("page 1 again", 110, 640);
  step("page 2 again", kNext);
}

TEST_F(CleanScreens, LongAndShortInformationLinesAndASmallPicture) {
  const zorva::testing::TempFolder scratch;
  const fs::path description = scratch.at("lesson.toml");
  std::ofstream(description) << kInfoLines;
  open(built(description));
  step("page 1", 110, 650);
  step("page 2 (short line)", kNext);
  step("page 3 (no line)", kNext);
  step("contents", kNext);
  step("page 1 from the contents", kNext);
  step("contents before the first page", kPrevious);
  step("menu", kLessons);
  step("page 1 again", 110, 660);
  step("page 2 again", kNext);
  EXPECT_EQ(std::string(view_->m_pBook->m_strPageInfo).rfind("S. 2   ", 0), 0u);
}

}  // namespace
