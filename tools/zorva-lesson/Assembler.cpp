#include "tools/zorva-lesson/Assembler.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/InfoLine.h"
#include "tools/zorva-lesson/Sound.h"

namespace zorva::builder {
namespace {

constexpr int kRoleBoxWidthPx = 22;
constexpr int kRoleGapPx = 6;

// A picture as read or laid out, before it is padded to the view: areas are measured on it.
struct Laid {
  RgbaImage image;
  std::vector<TextLine> lines;
};

enum class Place { Title, Page };

// A picture larger than the view is refused: scaling it would move every area its author
// measured on it and blur its text.
void mustFitView(int width, int height, Place place, const PicturePlan& wanted) {
  const bool title = place == Place::Title;
  const std::string source = wanted.path.empty() ? "the text page" : wanted.path;
  for (const auto& [id, measured] : {std::pair{title ? LimitId::TitleWidth : LimitId::PageWidth, width},
                                     std::pair{title ? LimitId::TitleHeight : LimitId::PageHeight, height}}) {
    if (auto words = judge(id, static_cast<uint64_t>(measured))) throw BuildError(wanted.where, source + ": " + *words);
  }
}

Laid drawPicture(const PicturePlan& wanted, Place place) {
  if (!wanted.path.empty()) {
    Laid laid{loadImageFile(wanted.path, wanted.where), {}};
    mustFitView(laid.image.width, laid.image.height, place, wanted);
    return laid;
  }
  mustFitView(wanted.width, wanted.height, place, wanted);
  TextPage page = layOutText(wanted.lines, wanted.width, wanted.height, wanted.where, wanted.style);
  return Laid{std::move(page.image), std::move(page.lines)};
}

// The picture on white as large as the view shows it, so it covers all an earlier screen drew.
lessonkit::IndexedPicture coverView(const RgbaImage& image, Place place) {
  RgbaImage whole;
  whole.width = place == Place::Title ? kTitleWidthPx : kPageWidthPx;
  whole.height = place == Place::Title ? kTitleHeightPx : kPageHeightPx;
  whole.rgba.assign(static_cast<size_t>(whole.width) * whole.height * 4, 255);
  for (int y = 0; y < image.height; ++y) {
    std::copy_n(&image.rgba[static_cast<size_t>(y) * image.width * 4], static_cast<size_t>(image.width) * 4,
                &whole.rgba[static_cast<size_t>(y) * whole.width * 4]);
  }
  return quantise(whole);
}

std::string corners(const PictureRect& r) {
  std::string text = std::to_string(r.left);
  for (int v : {r.top, r.right, r.bottom}) text += ", " + std::to_string(v);
  return "[" + text + "]";
}

// Authors measure areas on their scan; an area off it would be a click target on nothing.
void mustLieOn(const PictureRect& r, const RgbaImage& picture, const SourceRef& where,
               const char* what) {
  if (r.left >= 0 && r.top >= 0 && r.right <= picture.width && r.bottom <= picture.height) return;
  const std::string w = std::to_string(picture.width), h = std::to_string(picture.height);
  throw BuildError(where, std::string(what) + " " + corners(r) + " lies outside the " + w + "x" + h +
                              " picture: left and right must lie within 0 to " + w + ", top and bottom within 0 to " +
                              h + " (picture pixels, as an image editor shows them)");
}

std::vector<int16_t> makeSound(const SoundPlan& sound, Warnings* warnings) {
  switch (sound.kind) {
    case SoundPlan::Kind::File: {
      LoadedSound loaded = readSoundFile(sound.path, sound.where, SoundStretch{sound.from_s, sound.to_s});
      if (!loaded.damage.empty() && warnings != nullptr) {
        warnings->push_back(sound.where.describe() + ": warning: " + loaded.damage);
      }
      return changeTempo(loaded.samples, sound.tempo);
    }
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

// Moves [low, high) apart to at least `least`, about its middle, inside [0, limit).
void growTo(int& low, int& high, int least, int limit) {
  const int missing = least - (high - low);
  if (missing <= 0) return;
  low -= missing / 2;
  high = low + least;
  if (low < 0) high -= low, low = 0;
  if (high > limit) low = std::max(0, low - (high - limit)), high = limit;
}

// An area too small to find by eye or hit at once is enlarged, and the author told so.
PictureRect roleArea(PictureRect r, const RgbaImage& picture, const SourceRef& where, Warnings* warnings) {
  if (r.right - r.left >= kRoleAreaMinWidthPx && r.bottom - r.top >= kRoleAreaMinHeightPx) return r;
  const PictureRect given = r;
  growTo(r.left, r.right, kRoleAreaMinWidthPx, picture.width);
  growTo(r.top, r.bottom, kRoleAreaMinHeightPx, picture.height);
  if (warnings != nullptr) {
    warnings->push_back(where.describe() + ": warning: the role area " + corners(given) + " is smaller than " +
                        std::to_string(kRoleAreaMinWidthPx) + "x" + std::to_string(kRoleAreaMinHeightPx) +
                        " pixels; it is enlarged to " + corners(r));
  }
  return r;
}

struct BuiltItem {
  lessonkit::Item item;
  std::optional<PictureRect> role;  // where the learner chooses its role, on the picture
};

BuiltItem buildItem(const ItemPlan& wanted, const Laid& laid, int index, Warnings* warnings) {
  BuiltItem built;
  lessonkit::Item& item = built.item;
  const TextLine* line = textLine(wanted, laid);
  const PictureRect audio = line != nullptr ? line->box : *wanted.audio;
  mustLieOn(audio, laid.image, wanted.where, "the item's rectangle");
  item.audio = pageToView(audio);
  if (!wanted.role.empty()) {
    const PictureRect given = wanted.role_rect.value_or(roleBoxBeside(audio, line != nullptr && line->right_to_left));
    mustLieOn(given, laid.image, wanted.where, "the role rectangle");
    built.role = roleArea(given, laid.image, wanted.where, warnings);
    item.role = pageToView(*built.role);
  }
  item.name = wanted.name.empty() ? "item" + std::to_string(index + 1) : wanted.name;
  if (item.name.size() > 63) throw BuildError(wanted.where, "'name' is longer than 63 bytes");
  item.samples = makeSound(wanted.sound, warnings);
  return built;
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
  // Lines stand below a 40-pixel margin; a long course sets them closer so that all are seen.
  // A page's long information line (built with a warning) is cut short here, not refused.
  page.picture.style.cut_long_lines = true;
  page.picture.height = kPageHeightPx;
  const int room_px = kPageHeightPx - 40 + 6;  // the last line's box may end 6 pixels above its step
  page.picture.style.line_step_px = std::min(page.picture.style.line_step_px, room_px / static_cast<int>(lines.size()));
  return page;
}

}  // namespace

ViewRect pageToView(const PictureRect& r) {
  return ViewRect{r.left + kPictureLeftPx, r.top + kPageTopPx, r.right + kPictureLeftPx, r.bottom + kPageTopPx};
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

lessonkit::Page buildPage(const PagePlan& wanted, std::string file_name, Warnings* warnings) {
  Laid laid = drawPicture(wanted.picture, Place::Page);
  lessonkit::Page page;
  page.file_name = std::move(file_name);
  char32_t refused = 0;
  page.info = coverInfoArea(toWindows1252(wanted.info, refused).value_or(""));
  std::vector<std::string> roles;
  for (size_t i = 0; i < wanted.items.size(); ++i) {
    BuiltItem built = buildItem(wanted.items[i], laid, static_cast<int>(i), warnings);
    if (built.role && wanted.items[i].role_mark) drawRoleMark(laid.image, *built.role);
    page.items.push_back(std::move(built.item));
    roles.push_back(wanted.items[i].role);
  }
  chainRoles(page.items, roles);
  page.picture = coverView(laid.image, Place::Page);
  // `check` reads no larger page file, so none is written.
  if (auto words = judge(LimitId::PageFileMegabytes, lessonkit::pageFileSize(page))) {
    throw BuildError(wanted.where, page.file_name + ": " + *words + " (give the page fewer or shorter clips)");
  }
  return page;
}

BuiltBook assemble(const BookPlan& book, Warnings* warnings) {
  BuiltBook built;
  built.title = coverView(drawPicture(book.title, Place::Title).image, Place::Title);
  bool own_contents = false;
  std::string first_page;  // of the lowest-numbered lesson from 1 on
  int first_lesson = 5;
  for (const LessonPlan& lesson : book.lessons) {
    const size_t first = built.pages.size();
    for (size_t p = 0; p < lesson.pages.size(); ++p) {
      built.pages.push_back(buildPage(lesson.pages[p], pageFileName(lesson.number, static_cast<int>(p) + 1), warnings));
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
    lessonkit::Page contents = buildPage(contentsPage(book), pageFileName(0, 1), warnings);
    contents.next_name = first_page;
    built.pages.push_back(std::move(contents));
  }
  return built;
}

}  // namespace zorva::builder
