// Whether a run stops at a checkpoint: from the message the stop test took off the queue, where
// the pointer is in the view at that moment, and the book's own Stop button.
#include "tests/unit/lesson/BookFixture.h"

using namespace lessontest;

namespace {

const CPoint kOnStop(10, 143);      // Stop is (10,143)-(110,169): its top-left pixel
const CPoint kBelowStop(50, 169);   // its bottom edge, which is Play's
const CPoint kRightOfStop(110, 150);

struct StopCase {
  const char* rule;
  UINT message;           // WM_NULL: no left click was queued
  const CPoint* pointer;  // null: no view to place the pointer in
  BOOL visible;
  short state;
  bool stops;
};

const StopCase kStopCases[] = {
    {"nothing queued", WM_NULL, &kOnStop, TRUE, 0, false},
    {"a click with the pointer on Stop", WM_LBUTTONDOWN, &kOnStop, TRUE, 0, true},
    {"a click with the pointer on Stop while it is lit", WM_LBUTTONDOWN, &kOnStop, TRUE, 1, true},
    {"a click with the pointer on Stop's bottom edge", WM_LBUTTONDOWN, &kBelowStop, TRUE, 0, false},
    {"a click with the pointer on Stop's right edge", WM_LBUTTONDOWN, &kRightOfStop, TRUE, 0,
     false},
    {"a click with no view to place the pointer in", WM_LBUTTONDOWN, NULL, TRUE, 0, false},
    {"a click on Stop while it is hidden", WM_LBUTTONDOWN, &kOnStop, FALSE, 0, false},
    {"a click on Stop while it is disabled", WM_LBUTTONDOWN, &kOnStop, TRUE, -1, false},
    {"a quit request with the pointer off Stop", WM_QUIT, &kBelowStop, TRUE, 0, true},
    {"a quit request with no view and Stop hidden", WM_QUIT, NULL, FALSE, -1, true},
};

}  // namespace

TEST_F(BookTest, StopDecisionTable) {
  CHotText& stop = *makeBook().m_buttons[CLessonBook::kStopButton];
  for (const StopCase& c : kStopCases) {
    stop.m_bVisible = c.visible;
    stop.m_nState = c.state;
    EXPECT_EQ(CLessonBook::StopsRun(c.message, c.pointer, stop), c.stops) << c.rule;
  }
}
