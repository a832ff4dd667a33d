// Built courses leave nothing of an earlier screen behind, though Zorva draws the information
// line and the title picture without clearing first: after each step of a walk through every
// page, the contents page and the menu, the screen equals a fresh repaint. Each role area is marked.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <fstream>
#include <memory>

#include "app/LessonView.h"
#include "lesson/LessonBook.h"
#include "tests/support/DataFolder.h"
#include "tests/support/Desktop.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TempFolder.h"
#include "tools/zorva-lesson/Assembler.h"

namespace {

// Long and short information lines, none at all, small pictures and a page reaching beyond
// them, a tiny role area.
const char* kInfoLines = R"([title]
text = ["Info lines"]
width = 300
height = 200
[[lesson]]
number = 1
[[lesson.page]]
info = "Lektion 1 – Seite 1: Dialog am Morgen"
text = ["Anna:\tGuten Morgen, Ben!", "Ben:\tHallo, Anna!"]
tabs = [80]
item = [{line = 1, role = "A"}, {line = 2, role = "B", role_rect = [4, 90, 12, 100]}]
[[lesson.page]]
info = "S. 2"
text = ["Kurz"]
width = 300
height = 200
[[lesson.page]]
text = ["Ohne Zeile"]
)";

enum { kLessons = 36, kPrevious = 60, kNext = 84, kLesson1 = 110 };  // y of the buttons

class CleanScreens : public ::testing::Test {
 protected:
  void open(const std::string& description) {
    data_ = std::make_unique<zorva::testing::DataFolder>(
        zorva::builder::assemble(zorva::builder::readDescription(description)));
    ASSERT_TRUE(AfxGetApp()->InitInstance());
    view_ = static_cast<CLessonView*>(AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST));
    desktop_.pumpUntilIdle();
  }
  void TearDown() override {
    if (AfxGetMainWnd() != nullptr) AfxGetMainWnd()->DestroyWindow();
  }

  // Each click at a new point: two quick clicks on one point are a double click.
  void walk(const std::vector<std::pair<const char*, int>>& steps) {
    for (const auto& [name, y] : steps) {
      desktop_.click(view_->m_hWnd, y == kLesson1 ? 640 + ++clicks_ : 20 + ++clicks_, y);
      desktop_.pumpUntilIdle();
      const zorva::testing::ScreenImage walked = clientImage(desktop_, view_->m_hWnd);
      HDC dc = ::GetDC(view_->m_hWnd);  // a fresh screen: the view cleared, then painted
      RECT all;
      ::GetClientRect(view_->m_hWnd, &all);
      ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      ::ReleaseDC(view_->m_hWnd, dc);
      ::InvalidateRect(view_->m_hWnd, nullptr, FALSE);
      ::UpdateWindow(view_->m_hWnd);
      desktop_.pumpUntilIdle();
      const zorva::testing::ScreenImage fresh = clientImage(desktop_, view_->m_hWnd);
      if (walked.pixels != fresh.pixels) {
        walked.writePng(start_ / (std::string(name) + ".walked.png"));
        fresh.writePng(start_ / (std::string(name) + ".repainted.png"));
        ADD_FAILURE() << name << ": pixels of an earlier screen remain (" << name << ".walked.png)";
      }
      const CLessonBook& book = *view_->m_pBook;
      for (int i = 0; i < book.m_nItems; ++i) {
        const CRect r = book.m_items[i]->m_rectRole;
        if (!book.m_items[i]->m_bHasRoleRect) continue;
        int ink = 0;  // left of the column where Zorva marks a chosen role
        for (int y = std::max(0, static_cast<int>(r.top)); y < r.bottom; ++y)
          for (int x = r.left; x < r.right - 2; ++x) ink += fresh.pixels[y * fresh.width + x] != RGB(255, 255, 255);
        EXPECT_TRUE(r.Width() >= 20 && r.Height() >= 16 && ink > 20) << name << " item " << i;
      }
    }
  }

  const std::filesystem::path start_ = std::filesystem::current_path();
  zorva::testing::Desktop desktop_;
  std::unique_ptr<zorva::testing::DataFolder> data_;
  CLessonView* view_ = nullptr;
  int clicks_ = 0;
};

TEST_F(CleanScreens, DemoCourse) {
  open(ZORVA_DEMO_LESSON);
  walk({{"page 1", kLesson1}, {"page 2", kNext}, {"page 3", kNext}, {"page 4", kNext}, {"contents", kNext},
        {"menu", kLessons}, {"page 1 again", kLesson1}, {"page 2 again", kNext}});
}

TEST_F(CleanScreens, LongShortAndMissingInformationLines) {
  const zorva::testing::TempFolder scratch;
  std::ofstream(scratch.at("lesson.toml")) << kInfoLines;
  open(scratch.at("lesson.toml"));
  walk({{"page 1", kLesson1}, {"page 2", kNext}, {"page 3", kNext}, {"contents", kNext}, {"page 1 again", kNext},
        {"contents again", kPrevious}, {"menu", kLessons}, {"page 1 at last", kLesson1}, {"page 2 at last", kNext}});
}

}  // namespace
