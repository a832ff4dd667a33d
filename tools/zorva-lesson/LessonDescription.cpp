#include "tools/zorva-lesson/LessonDescription.h"

#include <filesystem>
#include <set>

#include <toml++/toml.h>

#include "tools/lessonkit/FileLayout.h"
#include "tools/zorva-lesson/CharacterName.h"
#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/DescriptionShape.h"
#include "tools/zorva-lesson/InfoLine.h"
#include "tools/zorva-lesson/InputLimits.h"

namespace zorva::builder {
namespace {

namespace fs = std::filesystem;

struct Context {
  std::string file;
  fs::path folder;
  std::vector<std::string>* warnings;
  SourceRef at(const toml::node& node) const {
    return SourceRef{file, static_cast<int>(node.source().begin.line)};
  }
};

// A typo in a key must not pass silently: every table lists the keys it knows.
void allowOnly(const Context& ctx, const toml::table& table, const std::set<std::string>& known,
               const std::string& where) {
  for (const auto& [key, value] : table) {
    if (!known.count(std::string(key.str()))) {
      std::string list;
      for (const auto& k : known) list += (list.empty() ? "" : ", ") + k;
      throw BuildError(ctx.at(value), "unknown key '" + std::string(key.str()) + "' in " + where +
                                          " (known keys: " + list + ")");
    }
  }
}

std::string stringValue(const Context& ctx, const toml::node& node, const std::string& key) {
  if (auto text = node.value<std::string>()) return *text;
  throw BuildError(ctx.at(node), "'" + key + "' must be a text in quotes");
}

// Text laid out or spoken is bounded before Pango or the synthesiser sees it.
std::string boundedText(const Context& ctx, const toml::node& node, const std::string& key, uint64_t limit) {
  std::string text = stringValue(ctx, node, key);
  if (text.size() > limit) {
    throw BuildError(ctx.at(node), "'" + key + "' is " + std::to_string(text.size()) + " bytes long; it may hold at most " +
                                       std::to_string(limit));
  }
  return text;
}

int intValue(const Context& ctx, const toml::node& node, const std::string& key) {
  if (auto number = node.value<int64_t>()) {
    if (*number < -32768 || *number > 32767) throw BuildError(ctx.at(node), "'" + key + "' is out of range");
    return static_cast<int>(*number);
  }
  throw BuildError(ctx.at(node), "'" + key + "' must be a whole number");
}

PictureRect rectValue(const Context& ctx, const toml::node& node, const std::string& key) {
  const toml::array* array = node.as_array();
  if (array == nullptr || array->size() != 4) {
    throw BuildError(ctx.at(node), "'" + key + "' must be [left, top, right, bottom]");
  }
  int v[4];
  for (size_t i = 0; i < 4; ++i) v[i] = intValue(ctx, *array->get(i), key);
  PictureRect rect{v[0], v[1], v[2], v[3]};
  if (rect.right <= rect.left || rect.bottom <= rect.top) {
    throw BuildError(ctx.at(node), "'" + key + "' must have right > left and bottom > top");
  }
  return rect;
}

std::string existingFile(const Context& ctx, const toml::node& node, const std::string& key) {
  const fs::path path = ctx.folder / stringValue(ctx, node, key);
  if (!fs::is_regular_file(path)) throw BuildError(ctx.at(node), "file not found: " + path.string());
  return path.string();
}

PicturePlan readPicture(const Context& ctx, const toml::table& table, const SourceRef& where) {
  PicturePlan picture;
  picture.where = where;
  // Faults found while drawing the picture point at the line that names its file or text.
  if (const toml::node* path = table.get("picture")) {
    picture.path = existingFile(ctx, *path, "picture");
    picture.where = ctx.at(*path);
  }
  if (const toml::node* text = table.get("text")) {
    picture.where = ctx.at(*text);
    const toml::array* lines = text->as_array();
    if (lines == nullptr) throw BuildError(ctx.at(*text), "'text' must be a list of lines");
    for (const auto& line : *lines) picture.lines.push_back(boundedText(ctx, line, "text", kMaxTextLineBytes));
  }
  if (!picture.path.empty() && !picture.lines.empty()) {
    throw BuildError(where, "give either 'picture' or 'text', not both");
  }
  if (picture.path.empty() && picture.lines.empty()) throw BuildError(where, "give a 'picture' file or 'text' lines");
  if (const toml::node* w = table.get("width")) picture.width = intValue(ctx, *w, "width");
  if (const toml::node* h = table.get("height")) picture.height = intValue(ctx, *h, "height");
  if (picture.width < 1 || picture.height < 1 || picture.width > 4096 || picture.height > 4096) {
    throw BuildError(where, "picture size must lie between 1 and 4096 pixels");
  }
  return picture;
}

double secondsValue(const Context& ctx, const toml::node& node, const std::string& key) {
  const std::optional<double> seconds = node.value<double>();
  if (!seconds || !(*seconds >= 0 && *seconds <= kMaxSoundFileSeconds)) {
    throw BuildError(ctx.at(node), "'" + key + "' must be a time in seconds, from 0 to " +
                                       std::to_string(static_cast<int>(kMaxSoundFileSeconds)));
  }
  return *seconds;
}

// `from` and `to` cut one sentence out of a longer recording.
void readSegment(const Context& ctx, const toml::table& table, ItemPlan& item) {
  const toml::node* from = table.get("from");
  const toml::node* to = table.get("to");
  if (from == nullptr && to == nullptr) return;
  if (item.sound.kind != SoundPlan::Kind::File) throw BuildError(item.where, "'from' and 'to' need an 'audio' file");
  if (from != nullptr) item.sound.from_s = secondsValue(ctx, *from, "from");
  if (to != nullptr) item.sound.to_s = secondsValue(ctx, *to, "to");
  if (item.sound.to_s && *item.sound.to_s <= item.sound.from_s) throw BuildError(item.where, "'to' must lie after 'from'");
}

// What a lesson gives its pages and a page its items, unless they say otherwise.
struct Inherited {
  std::string voice;
  double tempo = 1.0;
  bool role_mark = true;

  Inherited within(const Context& ctx, const toml::table& table) const {
    Inherited inner = *this;
    if (const toml::node* voice_node = table.get("voice")) inner.voice = stringValue(ctx, *voice_node, "voice");
    if (const toml::node* tempo_node = table.get("tempo")) {
      const std::optional<double> value = tempo_node->value<double>();
      if (!value || !(*value >= 0.5 && *value <= 2.0)) {  // a NaN fails both comparisons
        throw BuildError(ctx.at(*tempo_node), "'tempo' must be a number from 0.5 to 2.0 (0.8: a fifth slower)");
      }
      inner.tempo = *value;
    }
    if (const toml::node* mark = table.get("role_mark")) {
      const std::optional<bool> value = mark->value<bool>();
      if (!value) throw BuildError(ctx.at(*mark), "'role_mark' must be true or false");
      inner.role_mark = *value;
    }
    return inner;
  }
};

ItemPlan readItem(const Context& ctx, const toml::table& table, const Inherited& outer) {
  allowOnly(ctx, table, {"rect", "line", "role", "role_rect", "role_mark", "say", "voice", "tempo", "audio", "from", "to", "name"},
             "an item");
  const Inherited settings = outer.within(ctx, table);
  ItemPlan item;
  item.where = ctx.at(table);
  if (const toml::node* rect = table.get("rect")) item.audio = rectValue(ctx, *rect, "rect");
  if (const toml::node* line = table.get("line")) item.line = intValue(ctx, *line, "line");
  if (item.audio.has_value() == item.line.has_value()) {
    throw BuildError(item.where, "an item needs exactly one of 'rect' or 'line'");
  }
  if (const toml::node* role = table.get("role")) item.role = stringValue(ctx, *role, "role");
  if (const toml::node* rect = table.get("role_rect")) item.role_rect = rectValue(ctx, *rect, "role_rect");
  if (item.role_rect && item.role.empty()) throw BuildError(item.where, "'role_rect' needs a 'role'");
  if (const toml::node* name = table.get("name")) item.name = stringValue(ctx, *name, "name");
  const toml::node* say = table.get("say");
  const toml::node* audio = table.get("audio");
  if (say != nullptr && audio != nullptr) throw BuildError(item.where, "give either 'say' or 'audio', not both");
  if (say != nullptr) {
    item.sound.kind = SoundPlan::Kind::Speech;
    item.sound.text = boundedText(ctx, *say, "say", kMaxSayBytes);
    item.sound.voice = settings.voice;
    if (item.sound.voice.empty()) throw BuildError(item.where, "'say' needs a 'voice' (here or on its page or lesson)");
    item.sound.where = ctx.at(*say);
  } else if (audio != nullptr) {
    item.sound.kind = SoundPlan::Kind::File;
    item.sound.path = existingFile(ctx, *audio, "audio");
    item.sound.where = ctx.at(*audio);
  }
  readSegment(ctx, table, item);
  item.sound.tempo = settings.tempo;
  item.role_mark = settings.role_mark;
  return item;
}

const toml::array* arrayOfTables(const Context& ctx, const toml::table& table, const char* key) {
  const toml::node* node = table.get(key);
  if (node == nullptr) return nullptr;
  const toml::array* array = node->as_array();
  if (array == nullptr || !array->is_array_of_tables()) {
    throw BuildError(ctx.at(*node), std::string("'") + key + "' must be written as [[" + key + "]] sections");
  }
  return array;
}

std::string optionalString(const Context& ctx, const toml::table& table, const char* key, std::string fallback) {
  const toml::node* node = table.get(key);
  return node == nullptr ? fallback : stringValue(ctx, *node, key);
}

// The information line goes into the page file as Windows-1252 bytes, which Zorva draws as
// they are; what it can't show is refused, what the window cuts off is a warning.
std::string infoLine(const Context& ctx, const toml::node& node) {
  const std::string text = stringValue(ctx, node, "info");
  char32_t refused = 0;
  const std::optional<std::string> bytes = toWindows1252(text, refused);
  if (!bytes) {
    throw BuildError(ctx.at(node), "'info' holds " + describeCharacter(refused) +
                                       ", which Zorva can't show: the information line is drawn in "
                                       "Windows-1252 (Western European letters)");
  }
  if (bytes->size() > 999) throw BuildError(ctx.at(node), "'info' is longer than 999 bytes");
  const int width = infoWidthPx(*bytes);
  if (width > kInfoShownWidthPx) {
    ctx.warnings->push_back(ctx.at(node).describe() + ": warning: 'info' is " + std::to_string(width) +
                            " pixels wide; Zorva's window shows " + std::to_string(kInfoShownWidthPx) +
                            " pixels of the information line, so " + std::to_string(width - kInfoShownWidthPx) +
                            " pixels are cut");
  }
  return text;
}

// Tab stops in pixels from a text line's start, growing, inside the page.
std::vector<int> tabStops(const Context& ctx, const toml::node& node, const PicturePlan& picture) {
  const toml::array* array = node.as_array();
  if (array == nullptr || !picture.path.empty()) {
    throw BuildError(ctx.at(node), "'tabs' must be a list of pixel positions on a 'text' page, such as [90]");
  }
  std::vector<int> stops;
  for (const auto& value : *array) {
    const int at = intValue(ctx, value, "tabs");
    if (at <= (stops.empty() ? 0 : stops.back()) || at >= picture.width) {
      throw BuildError(ctx.at(value), "'tabs' must grow from left to right and lie on the page");
    }
    stops.push_back(at);
  }
  return stops;
}

PagePlan readPage(const Context& ctx, const toml::table& table, const Inherited& lesson) {
  allowOnly(ctx, table, {"info", "picture", "text", "width", "height", "tabs", "voice", "tempo", "role_mark", "item"},
            "a page");
  PagePlan page;
  page.where = ctx.at(table);
  if (const toml::node* info = table.get("info")) page.info = infoLine(ctx, *info);
  page.picture = readPicture(ctx, table, page.where);
  if (const toml::node* tabs = table.get("tabs")) page.picture.style.tab_stops_px = tabStops(ctx, *tabs, page.picture);
  const Inherited settings = lesson.within(ctx, table);
  if (const toml::array* items = arrayOfTables(ctx, table, "item")) {
    for (const auto& node : *items) page.items.push_back(readItem(ctx, *node.as_table(), settings));
  }
  if (page.items.size() > lessonkit::kMaxItems) {
    throw BuildError(page.where, "a page holds at most " + std::to_string(lessonkit::kMaxItems) + " items");
  }
  return page;
}

ContentsPlan readContents(const Context& ctx, const toml::table* table, const PicturePlan& title) {
  ContentsPlan contents;
  contents.where = title.where;
  for (const std::string& line : title.lines) {
    if (contents.heading.empty()) contents.heading = line;
  }
  if (table == nullptr) return contents;
  allowOnly(ctx, *table, {"heading", "info", "lesson", "page", "help"}, "[contents]");
  contents.where = ctx.at(*table);
  contents.heading = optionalString(ctx, *table, "heading", contents.heading);
  if (const toml::node* info = table->get("info")) contents.info = infoLine(ctx, *info);
  contents.lesson = optionalString(ctx, *table, "lesson", contents.lesson);
  contents.page = optionalString(ctx, *table, "page", contents.page);
  if (const toml::node* help = table->get("help")) {
    const toml::array* lines = help->as_array();
    if (lines == nullptr) throw BuildError(ctx.at(*help), "'help' must be a list of lines");
    contents.help.clear();
    for (const auto& line : *lines) contents.help.push_back(stringValue(ctx, line, "help"));
  }
  return contents;
}

// A page without an information line would show none, and the contents page would list it as a
// bare number: it is named after its lesson and place, in the contents page's words.
void nameUnnamedPages(const Context& ctx, const ContentsPlan& words, LessonPlan& lesson) {
  for (size_t p = 0; p < lesson.pages.size(); ++p) {
    PagePlan& page = lesson.pages[p];
    if (!page.info.empty()) continue;
    const std::string number = std::to_string(lesson.number), place = std::to_string(p + 1);
    page.info = words.lesson + " " + number + " \u2013 " + words.page + " " + place;
    char32_t refused = 0;
    if (!toWindows1252(page.info, refused)) page.info = "Lesson " + number + " \u2013 page " + place;
    ctx.warnings->push_back(page.where.describe() + ": warning: the page has no 'info'; its information line is \"" +
                            page.info + "\"");
  }
}

}  // namespace

BookPlan readDescription(const std::string& path) {
  toml::table root;
  const std::string text = readBoundedDescription(path);
  try {
    root = toml::parse(text, path);
  } catch (const toml::parse_error& error) {
    throw BuildError(SourceRef{path, static_cast<int>(error.source().begin.line)},
                     std::string(error.description()));
  }
  BookPlan book;
  const Context ctx{path, fs::path(path).parent_path(), &book.warnings};
  allowOnly(ctx, root, {"title", "contents", "lesson"}, "the description");
  const toml::table* title = root["title"].as_table();
  if (title == nullptr) throw BuildError(SourceRef{path, 1}, "the description needs a [title] section");
  allowOnly(ctx, *title, {"picture", "text", "width", "height"}, "[title]");
  book.title = readPicture(ctx, *title, ctx.at(*title));
  book.contents = readContents(ctx, root["contents"].as_table(), book.title);
  const toml::array* lessons = arrayOfTables(ctx, root, "lesson");
  if (lessons == nullptr) throw BuildError(SourceRef{path, 1}, "the description needs at least one [[lesson]]");
  std::set<int> numbers;
  for (const auto& node : *lessons) {
    const toml::table& table = *node.as_table();
    allowOnly(ctx, table, {"number", "voice", "tempo", "role_mark", "page"}, "a lesson");
    LessonPlan lesson;
    lesson.where = ctx.at(table);
    const toml::node* number = table.get("number");
    if (number == nullptr) throw BuildError(lesson.where, "a lesson needs its 'number' (1 to 4)");
    lesson.number = intValue(ctx, *number, "number");
    if (lesson.number < 0 || lesson.number > 4) {
      throw BuildError(ctx.at(*number), "lesson numbers run from 1 to 4 (0: your own contents pages)");
    }
    if (!numbers.insert(lesson.number).second) throw BuildError(ctx.at(*number), "lesson number given twice");
    const Inherited settings = Inherited{}.within(ctx, table);
    const toml::array* pages = arrayOfTables(ctx, table, "page");
    if (pages == nullptr || pages->empty()) throw BuildError(lesson.where, "a lesson needs at least one [[lesson.page]]");
    if (pages->size() > 9) throw BuildError(lesson.where, "a lesson holds at most 9 pages");
    for (const auto& page : *pages) lesson.pages.push_back(readPage(ctx, *page.as_table(), settings));
    nameUnnamedPages(ctx, book.contents, lesson);
    book.lessons.push_back(std::move(lesson));
  }
  if (!numbers.count(1)) throw BuildError(SourceRef{path, 1}, missingFirstPageWords());
  return book;
}

}  // namespace zorva::builder
