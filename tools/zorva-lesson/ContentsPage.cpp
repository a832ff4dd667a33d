#include "tools/zorva-lesson/ContentsPage.h"

#include <algorithm>

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
  // Text lines stand 40 pixels apart below a 40-pixel margin; a long course makes a taller page.
  page.picture.height = std::max(page.picture.height, 40 * (static_cast<int>(lines.size()) + 2));
  return page;
}

}  // namespace zorva::builder
