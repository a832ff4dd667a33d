#include "tools/zorva-lesson/ContentsPage.h"

#include <algorithm>

#include "tools/zorva-lesson/CourseRules.h"

namespace zorva::builder {

PagePlan contentsPage(const BookPlan& book) {
  const ContentsPlan& words = book.contents;
  PagePlan page;
  page.where = words.where;
  page.info = words.info;
  page.picture.where = words.where;
  std::vector<std::string>& lines = page.picture.lines;
  if (!words.heading.empty()) lines.insert(lines.end(), {words.heading, ""});
  std::vector<const LessonPlan*> lessons;
  for (const LessonPlan& lesson : book.lessons) lessons.push_back(&lesson);
  std::sort(lessons.begin(), lessons.end(), [](auto* a, auto* b) { return a->number < b->number; });
  for (const LessonPlan* lesson : lessons) {
    lines.push_back(words.lesson + " " + std::to_string(lesson->number));
    for (size_t p = 0; p < lesson->pages.size(); ++p) {
      const std::string& info = lesson->pages[p].info;
      lines.push_back("    " + std::to_string(p + 1) + (info.empty() ? "" : "   " + info));
    }
    lines.push_back("");
  }
  lines.insert(lines.end(), words.help.begin(), words.help.end());
  // Lines stand below a 40-pixel margin; a long course sets them closer so that all are seen.
  // A page's long information line (built with a warning) is cut short here, not refused.
  page.picture.style.cut_long_lines = true;
  page.picture.height = kPageHeightPx;
  const int room_px = kPageHeightPx - 40 + 6;  // the last line's box may end 6 pixels above its step
  page.picture.style.line_step_px = std::min(page.picture.style.line_step_px, room_px / static_cast<int>(lines.size()));
  return page;
}

}  // namespace zorva::builder
