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

// Long (too long for the contents list), short and missing information lines; small pictures.
const char* kInfoLines = R"(title = {text = ["Info lines"], width = 300, height = 200}
[[lesson]]
number = 1
[[lesson.page]]
info = "Lektion 1 – Seite 1: Dialog am Morgen, ein langer Text mit vielen Worten, zu lang"
tabs = [80]
text = ["Anna:\tGuten Morgen, Ben!", "Ben:\tHallo, Anna!"]
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
  void TearDown() override {
    if (AfxGetMainWnd() != nullptr) AfxGetMainWnd()->DestroyWindow();
  }

  // Opens the course and clicks through it, each click at a new point (two quick clicks on one
  // point are a double click).
  void walk(const std::string& description, const std::vector<std::pair<const char*, int>>& steps) {
    const zorva::testing::DataFolder data(zorva::builder::assemble(zorva::builder::readDescription(description)));
    ASSERT_TRUE(AfxGetApp()->InitInstance());
    const auto* lesson_view = static_cast<CLessonView*>(AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST));
    const HWND view = lesson_view->m_hWnd;
    int clicks = 0;
    for (const auto& [name, y] : steps) {
      desktop_.click(view, (y == kLesson1 ? 640 : 20) + ++clicks, y);
      desktop_.pumpUntilIdle();
      const zorva::testing::ScreenImage walked = clientImage(desktop_, view);
      HDC dc = ::GetDC(view);  // a fresh screen: the view cleared, then painted
      RECT all;
      ::GetClientRect(view, &all);
      ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      ::ReleaseDC(view, dc);
      ::InvalidateRect(view, nullptr, FALSE);
      ::UpdateWindow(view);
      const zorva::testing::ScreenImage fresh = clientImage(desktop_, view);
      if (walked.pixels != fresh.pixels) {
        walked.writePng(start_ / (std::string(name) + ".walked.png"));
        fresh.writePng(start_ / (std::string(name) + ".repainted.png"));
        ADD_FAILURE() << name << ": pixels of an earlier screen remain (" << name << ".walked.png)";
      }
      const CLessonBook& book = *lesson_view->m_pBook;
      for (int i = 0; i < book.m_nItems; ++i) {
        const CRect r = book.m_items[i]->m_rectRole;
        int ink = 0;  // left of the column where Zorva marks a chosen role
        for (int y = std::max(0, static_cast<int>(r.top)); y < r.bottom; ++y)
          for (int x = r.left; x < r.right - 2; ++x) ink += fresh.pixels[y * fresh.width + x] != RGB(255, 255, 255);
        EXPECT_TRUE(!book.m_items[i]->m_bHasRoleRect || (r.Width() >= 20 && r.Height() >= 16 && ink > 20)) << name;
      }
    }
  }

  const std::filesystem::path start_ = std::filesystem::current_path();
  zorva::testing::Desktop desktop_;
};

TEST_F(CleanScreens, DemoCourse) {
  walk(ZORVA_DEMO_LESSON, {{"page 1", kLesson1}, {"page 2", kNext}, {"page 3", kNext}, {"page 4", kNext},
                           {"contents", kNext}, {"menu", kLessons}, {"page 1 again", kLesson1}, {"page 2 again", kNext}});
}

TEST_F(CleanScreens, LongShortAndMissingInformationLines) {
  const zorva::testing::TempFolder scratch;
  std::ofstream(scratch.at("lesson.toml")) << kInfoLines;
  walk(scratch.at("lesson.toml"), {{"page 1", kLesson1}, {"page 2", kNext}, {"page 3", kNext}, {"contents", kNext},
                                   {"page 1 again", kNext}, {"contents again", kPrevious}, {"menu", kLessons},
                                   {"page 1 at last", kLesson1}, {"page 2 at last", kNext}});
}

}  // namespace
