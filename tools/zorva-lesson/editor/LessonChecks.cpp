#include "tools/zorva-lesson/editor/LessonChecks.h"

#include <algorithm>
#include <map>
#include <regex>

#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/Sound.h"

namespace zorva::editor {
namespace {

LessonCheck placeByLine(const EditableLesson& lesson, int line, std::string text) {
  for (size_t p = 0; p < lesson.pages.size(); ++p) {
    const EditablePage& page = lesson.pages[p];
    for (size_t i = 0; i < page.items.size(); ++i) {
      if (line >= page.items[i].first_line && line <= page.items[i].last_line) return LessonCheck{p, i, std::move(text)};
    }
    if (line >= page.first_line && line <= page.last_line) return LessonCheck{p, std::nullopt, std::move(text)};
  }
  return LessonCheck{std::nullopt, std::nullopt, std::move(text)};
}

void checkArea(const std::optional<EditableRect>& area, const PagePicture& picture, const char* what,
               size_t page, size_t item, std::vector<LessonCheck>& out) {
  if (!area || picture.width == 0) return;
  const builder::PictureRect& r = area->rect;
  if (r.left >= 0 && r.top >= 0 && r.right <= picture.width && r.bottom <= picture.height) return;
  out.push_back(LessonCheck{page, item, std::string(what) + " lies outside the " + std::to_string(picture.width) + "x" +
                                            std::to_string(picture.height) + " picture"});
}

// The builder's rules for cuts, in its words: a cut ending within a hundredth of a second past
// the end is the end, and a clip is not too long.
void checkCut(const EditableItem& item, const LessonMedia& media, size_t page, size_t index, std::vector<LessonCheck>& out) {
  if (item.audio.empty() || !media.hasSound(item.audio)) return;
  const double length = media.seconds(item.audio);
  const double from = item.from ? item.from->value : 0, to = item.to ? std::min(item.to->value, length) : length;
  if (item.from && from >= length) {
    out.push_back(LessonCheck{page, index, builder::cutPastEndWords("from", from, item.audio, length)});
  } else if (item.to && item.to->value > length + 0.01) {
    out.push_back(LessonCheck{page, index, builder::cutPastEndWords("to", item.to->value, item.audio, length)});
  } else if (const std::optional<std::string> refusal = builder::clipLengthRefusal(item.audio, to - from)) {
    out.push_back(LessonCheck{page, index, *refusal});
  }
}

void checkPictureSize(const PagePicture& picture, size_t page, std::vector<LessonCheck>& out) {
  if (picture.bytes.empty()) return;
  const std::optional<std::string> wide = builder::judge(builder::LimitId::PageWidth, static_cast<uint64_t>(picture.width));
  const std::optional<std::string> tall = builder::judge(builder::LimitId::PageHeight, static_cast<uint64_t>(picture.height));
  for (const std::optional<std::string>& refusal : {wide, tall}) {
    if (refusal) out.push_back(LessonCheck{page, std::nullopt, *refusal});
  }
}

void checkBuilderReading(const EditableLesson& lesson, LessonReview& out) {
  try {
    const builder::BookPlan plan = builder::readDescription(lesson.file.string());
    for (const std::string& warning : plan.warnings) out.checks.push_back(placeBuilderMessage(lesson, warning));
    // The plan's pages, found by lesson number and place in it.
    std::map<int, size_t> placed;
    for (const EditablePage& page : lesson.pages) {
      const size_t place = placed[page.lesson]++;
      const auto planned = std::find_if(plan.lessons.begin(), plan.lessons.end(),
                                        [&](const builder::LessonPlan& l) { return l.number == page.lesson; });
      const bool found = planned != plan.lessons.end() && place < planned->pages.size();
      out.info_lines.push_back(found ? planned->pages[place].info : std::string());
    }
  } catch (const builder::BuildError& error) {
    out.checks.push_back(placeBuilderMessage(lesson, error.what()));
    out.info_lines.assign(lesson.pages.size(), std::string());
  }
}

}  // namespace

LessonCheck placeBuilderMessage(const EditableLesson& lesson, const std::string& message) {
  const std::string prefix = lesson.file.string() + ":";
  if (message.starts_with(prefix)) {
    const std::string rest = message.substr(prefix.size());
    const size_t colon = rest.find(": ");
    if (colon != std::string::npos && colon > 0 && rest.find_first_not_of("0123456789") == colon) {
      return placeByLine(lesson, std::stoi(rest.substr(0, colon)), rest.substr(colon + 2));
    }
  }
  return LessonCheck{std::nullopt, std::nullopt, message};
}

LessonReview checkLesson(const EditableLesson& lesson, const LessonMedia& media) {
  LessonReview review;
  checkBuilderReading(lesson, review);
  std::vector<LessonCheck>& out = review.checks;
  for (const LessonMedia::Problem& problem : media.problems()) out.push_back(LessonCheck{problem.page, std::nullopt, problem.text});
  for (size_t p = 0; p < lesson.pages.size(); ++p) {
    checkPictureSize(media.picture(p), p, out);
    for (size_t i = 0; i < lesson.pages[p].items.size(); ++i) {
      const EditableItem& item = lesson.pages[p].items[i];
      checkArea(item.rect, media.picture(p), "the item's rectangle", p, i, out);
      checkArea(item.role_rect, media.picture(p), "the role rectangle", p, i, out);
      checkCut(item, media, p, i, out);
      for (const std::string& flag : item.flags) out.push_back(LessonCheck{p, i, flag});
    }
  }
  return review;
}

std::vector<LessonCheck> placeCheckerProblems(const EditableLesson& lesson, const std::vector<builder::Problem>& problems) {
  std::vector<LessonCheck> out;
  const std::regex item_number("item ([0-9]+)");
  for (const builder::Problem& problem : problems) {
    LessonCheck check{std::nullopt, std::nullopt, problem.file + ": " + problem.what};
    int in_lesson = 0;
    for (size_t p = 0; p < lesson.pages.size(); ++p) {
      in_lesson = p > 0 && lesson.pages[p - 1].lesson == lesson.pages[p].lesson ? in_lesson + 1 : 1;
      if (builder::pageFileName(lesson.pages[p].lesson, in_lesson) != problem.file) continue;
      check.page = p;
      std::smatch found;
      if (std::regex_search(problem.what, found, item_number)) check.item = std::stoul(found[1]);
    }
    out.push_back(std::move(check));
  }
  return out;
}

}  // namespace zorva::editor
