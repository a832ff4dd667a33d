#include "tools/zorva-lesson/Assembler.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "tools/zorva-lesson/InfoLine.h"
#include "tools/zorva-lesson/Sound.h"

namespace zorva::builder {
namespace {

constexpr int kRoleBoxWidthPx = 22;
constexpr int kRoleGapPx = 6;

struct Laid {
  lessonkit::IndexedPicture image;
  std::vector<TextLine> lines;
};

Laid drawPicture(const PicturePlan& wanted) {
  if (!wanted.path.empty()) return Laid{quantise(loadImageFile(wanted.path, wanted.where)), {}};
  TextPage page = layOutText(wanted.lines, wanted.width, wanted.height, wanted.where);
  return Laid{quantise(page.image), page.lines};
}

std::string corners(const PictureRect& r) {
  std::string text = std::to_string(r.left);
  for (int v : {r.top, r.right, r.bottom}) text += ", " + std::to_string(v);
  return "[" + text + "]";
}

// Authors measure areas on their scan; an area off it would be a click target on nothing.
void mustLieOn(const PictureRect& r, const lessonkit::IndexedPicture& picture, const SourceRef& where,
               const char* what) {
  if (r.left >= 0 && r.top >= 0 && r.right <= picture.width && r.bottom <= picture.height) return;
  const std::string w = std::to_string(picture.width), h = std::to_string(picture.height);
  throw BuildError(where, std::string(what) + " " + corners(r) + " lies outside the " + w + "x" + h +
                              " picture: left and right must lie within 0 to " + w + ", top and bottom within 0 to " +
                              h + " (picture pixels, as an image editor shows them)");
}

std::vector<int16_t> cutSegment(std::vector<int16_t> samples, const SoundPlan& sound) {
  const auto at = [](double seconds) { return static_cast<size_t>(std::llround(seconds * kClipRateHz)); };
  const size_t begin = at(sound.from_s);
  const size_t end = sound.to_s ? std::min(at(*sound.to_s), samples.size()) : samples.size();
  if (begin >= end) {
    throw BuildError(sound.where, "'from' lies at or after the end of " + sound.path + " (" +
                                      std::to_string(samples.size() / kClipRateHz) + " s long)");
  }
  return std::vector<int16_t>(samples.begin() + static_cast<std::ptrdiff_t>(begin),
                              samples.begin() + static_cast<std::ptrdiff_t>(end));
}

std::vector<int16_t> makeSound(const SoundPlan& sound) {
  switch (sound.kind) {
    case SoundPlan::Kind::File:
      return changeTempo(cutSegment(loadSoundFile(sound.path, sound.where), sound), sound.tempo);
    case SoundPlan::Kind::Speech: return changeTempo(speak(sound.text, sound.voice, sound.where), sound.tempo);
    case SoundPlan::Kind::None: break;
  }
  return {};
}

const TextLine* textLine(const ItemPlan& wanted, const Laid& laid) {
  if (!wanted.line) return nullptr;
  const int line = *wanted.line;
  if (line < 1 || line > static_cast<int>(laid.lines.size()) || laid.lines[line - 1].box.right == laid.lines[line - 1].box.left) {
    throw BuildError(wanted.where, "'line' " + std::to_string(line) + " names no text line of this page");
  }
  return &laid.lines[line - 1];
}

// The box a learner clicks to take a role stands where its line begins to be read.
PictureRect roleBoxBeside(const PictureRect& audio, bool right_to_left) {
  if (right_to_left) {
    return PictureRect{audio.right + kRoleGapPx, audio.top, audio.right + kRoleGapPx + kRoleBoxWidthPx, audio.bottom};
  }
  return PictureRect{audio.left - kRoleGapPx - kRoleBoxWidthPx, audio.top, audio.left - kRoleGapPx, audio.bottom};
}

lessonkit::Item buildItem(const ItemPlan& wanted, const Laid& laid, int index) {
  lessonkit::Item item;
  const TextLine* line = textLine(wanted, laid);
  const PictureRect audio = line != nullptr ? line->box : *wanted.audio;
  mustLieOn(audio, laid.image, wanted.where, "the item's rectangle");
  item.audio = pageToView(audio);
  if (!wanted.role.empty()) {
    const PictureRect role = wanted.role_rect.value_or(roleBoxBeside(audio, line != nullptr && line->right_to_left));
    mustLieOn(role, laid.image, wanted.where, "the role rectangle");
    item.role = pageToView(role);
  }
  item.name = wanted.name.empty() ? "item" + std::to_string(index + 1) : wanted.name;
  if (item.name.size() > 63) throw BuildError(wanted.where, "'name' is longer than 63 bytes");
  item.samples = makeSound(wanted.sound);
  return item;
}

// The contents page: the page file of lesson number 0, which Zorva loads when "Previous Page" is
// clicked on a lesson's first page or "Next Page" on its last. A text page with the course's
// heading, every lesson's pages by their information line and how to use the buttons, in the
// words the description gives.
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

}  // namespace

ViewRect pageToView(const PictureRect& r) {
  return ViewRect{r.left + kPictureLeft, r.top + kPageTop, r.right + kPictureLeft, r.bottom + kPageTop};
}

std::string pageFileName(int lesson, int page) {
  return "14" + std::to_string(lesson) + "0" + std::to_string(page) + ".pge";
}

void chainRoles(std::vector<lessonkit::Item>& items, const std::vector<std::string>& roles) {
  std::map<std::string, int> last;  // role → index of its latest item
  std::map<std::string, int> head;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    const std::string& role = roles[i];
    if (role.empty()) continue;
    if (auto it = last.find(role); it != last.end()) {
      items[it->second].next_in_role = i;
    } else {
      head[role] = i;
    }
    last[role] = i;
    items[i].role_head = head[role];
  }
}

lessonkit::Page buildPage(const PagePlan& wanted, std::string file_name) {
  const Laid laid = drawPicture(wanted.picture);
  lessonkit::Page page;
  page.file_name = std::move(file_name);
  char32_t refused = 0;
  page.info = toWindows1252(wanted.info, refused).value_or("");
  page.picture = laid.image;
  std::vector<std::string> roles;
  for (size_t i = 0; i < wanted.items.size(); ++i) {
    page.items.push_back(buildItem(wanted.items[i], laid, static_cast<int>(i)));
    roles.push_back(wanted.items[i].role);
  }
  chainRoles(page.items, roles);
  return page;
}

BuiltBook assemble(const BookPlan& book) {
  BuiltBook built;
  built.title = drawPicture(book.title).image;
  bool own_contents = false;
  std::string first_page;  // of the lowest-numbered lesson from 1 on
  int first_lesson = 5;
  for (const LessonPlan& lesson : book.lessons) {
    const size_t first = built.pages.size();
    for (size_t p = 0; p < lesson.pages.size(); ++p) {
      built.pages.push_back(buildPage(lesson.pages[p], pageFileName(lesson.number, static_cast<int>(p) + 1)));
    }
    // The ends of a lesson stay empty: Zorva loads the contents page (lesson 0) for them.
    for (size_t p = first; p < built.pages.size(); ++p) {
      if (p > first) built.pages[p].prev_name = built.pages[p - 1].file_name;
      if (p + 1 < built.pages.size()) built.pages[p].next_name = built.pages[p + 1].file_name;
    }
    own_contents |= lesson.number == 0;
    if (lesson.number > 0 && lesson.number < first_lesson) {
      first_lesson = lesson.number;
      first_page = built.pages[first].file_name;
    }
  }
  if (!own_contents) {
    lessonkit::Page contents = buildPage(contentsPage(book), pageFileName(0, 1));
    contents.next_name = first_page;
    built.pages.push_back(std::move(contents));
  }
  return built;
}

}  // namespace zorva::builder
