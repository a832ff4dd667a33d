#include "tools/zorva-lesson/editor/EditableLesson.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include <toml++/toml.h>

namespace zorva::editor {
namespace {

using builder::BuildError;
using builder::SourceRef;

constexpr const char* kListenFlag = "# listen to this cut";
constexpr const char* kSayNote = "# say = ";

// Byte offsets of the file's lines, to turn the parser's line and column into a place in the text.
class Lines {
 public:
  explicit Lines(const std::string& text) : text_(text) {
    starts_.push_back(0);
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') starts_.push_back(i + 1);
    }
  }
  int count() const { return static_cast<int>(starts_.size()); }
  size_t start(int line) const { return starts_[static_cast<size_t>(std::clamp(line, 1, count()) - 1)]; }
  // Where the line's text ends (before its line break).
  size_t end(int line) const {
    const size_t next = line < count() ? starts_[static_cast<size_t>(line)] : text_.size() + 1;
    return next - 1;
  }
  std::string_view at(int line) const { return std::string_view(text_).substr(start(line), end(line) - start(line)); }
  // Columns count characters, not bytes.
  size_t offset(const toml::source_position& at) const {
    size_t pos = start(static_cast<int>(at.line));
    for (unsigned column = 1; column < at.column && pos < text_.size(); ++column) {
      ++pos;
      while (pos < text_.size() && (static_cast<unsigned char>(text_[pos]) & 0xC0) == 0x80) ++pos;
    }
    return pos;
  }

 private:
  const std::string& text_;
  std::vector<size_t> starts_;
};

struct Walk {
  const std::filesystem::path& file;
  const Lines& lines;
  std::set<int> headers;  // the lines where sections begin

  SourceRef at(const toml::node& node) const { return SourceRef{file.string(), static_cast<int>(node.source().begin.line)}; }

  // Whether the line, without its indent, begins with `what`; an empty `what`: the line is blank.
  bool lineStarts(int line, std::string_view what) const {
    const std::string_view text = lines.at(line);
    const size_t at = text.find_first_not_of(" \t\r");
    return what.empty() ? at == std::string_view::npos : at != std::string_view::npos && text.substr(at).starts_with(what);
  }

  // A section's own lines run to the next section, without the blank lines before it and without
  // the comment lines right above its header, which speak of it.
  int lastLine(int first) const {
    const auto next = headers.upper_bound(first);
    int last = next == headers.end() ? lines.count() : *next - 1;
    if (next != headers.end()) {
      while (last > first && lineStarts(last, "#")) --last;
    }
    while (last > first && lineStarts(last, "")) --last;
    return last;
  }

  // From the end of the line before the section's comments and blank lines to the end of its last
  // line: the text before and after it then meet as they met it.
  TextSpan wholeSection(int first, int last) const {
    int start = first;
    while (start > 1 && lineStarts(start - 1, "#")) --start;
    while (start > 1 && lineStarts(start - 1, "")) --start;
    return TextSpan{start > 1 ? lines.end(start - 1) : 0, lines.end(last)};
  }

  TextSpan numberAt(const toml::node& node, const std::string& key) const {
    if (!node.is_number()) throw BuildError(at(node), "'" + key + "' must be a number");
    const std::string_view text = lines.at(static_cast<int>(node.source().begin.line));
    const size_t begin = lines.offset(node.source().begin);
    const size_t line_start = lines.start(static_cast<int>(node.source().begin.line));
    size_t end = begin;
    while (end - line_start < text.size() && std::string_view(" \t,]}#\r").find(text[end - line_start]) == std::string_view::npos) {
      ++end;
    }
    return TextSpan{begin, end};
  }

  std::optional<EditableRect> rect(const toml::table& table, const char* key) const {
    const toml::node* node = table.get(key);
    if (node == nullptr) return std::nullopt;
    const toml::array* array = node->as_array();
    if (array == nullptr || array->size() != 4) {
      throw BuildError(at(*node), std::string("'") + key + "' must be [left, top, right, bottom]");
    }
    EditableRect out;
    int* corners[4] = {&out.rect.left, &out.rect.top, &out.rect.right, &out.rect.bottom};
    for (size_t i = 0; i < 4; ++i) {
      out.at[i] = numberAt(*array->get(i), key);
      *corners[i] = static_cast<int>(array->get(i)->value<int64_t>().value_or(0));
    }
    return out;
  }

  std::optional<EditableSeconds> seconds(const toml::table& table, const char* key) const {
    const toml::node* node = table.get(key);
    if (node == nullptr) return std::nullopt;
    return EditableSeconds{node->value<double>().value_or(0), numberAt(*node, key)};
  }

  // Notes a proposal leaves inside an item: a cut to listen to, and the sentence of a cut.
  void readNotes(EditableItem& item) const {
    for (int line = item.first_line; line <= item.last_line; ++line) {
      std::string_view text = lines.at(line);
      text.remove_prefix(std::min(text.size(), text.find_first_not_of(" \t")));
      if (text.starts_with(kListenFlag)) item.flags.emplace_back(text.substr(2));
      if (text.starts_with(kSayNote) && item.say.empty()) {
        try {
          const toml::table note = toml::parse(std::string("say = ") + std::string(text.substr(8)));
          item.say = note["say"].value_or(std::string());
        } catch (const toml::parse_error&) {
          // A note that is not a TOML text is only a comment.
        }
      }
    }
  }

  size_t valuesEnd(const toml::table& table) const {
    int last = static_cast<int>(table.source().begin.line);
    for (const auto& [key, value] : table) last = std::max(last, static_cast<int>(value.source().end.line));
    return lines.end(last);
  }

  EditableItem item(const toml::table& table, double tempo) const {
    EditableItem item;
    item.rect = rect(table, "rect");
    item.line = table["line"].value<int>();
    item.role = table["role"].value_or(std::string());
    item.role_rect = rect(table, "role_rect");
    item.audio = table["audio"].value_or(std::string());
    item.say = table["say"].value_or(std::string());
    item.from = seconds(table, "from");
    item.to = seconds(table, "to");
    item.tempo = table["tempo"].value_or(tempo);
    item.first_line = static_cast<int>(table.source().begin.line);
    item.last_line = lastLine(item.first_line);
    item.values_end = valuesEnd(table);
    if (!table.is_inline()) item.whole = wholeSection(item.first_line, item.last_line);
    item.indent = indentOf(item.first_line);
    readNotes(item);
    return item;
  }

  std::string indentOf(int line) const {
    const std::string_view text = lines.at(line);
    return std::string(text.substr(0, std::min(text.size(), text.find_first_not_of(" \t"))));
  }

  EditablePage page(const toml::table& table, int lesson, double tempo) const {
    EditablePage page;
    page.lesson = lesson;
    page.info = table["info"].value_or(std::string());
    page.picture = table["picture"].value_or(std::string());
    if (const toml::array* text = table["text"].as_array()) {
      for (const auto& line : *text) page.text.push_back(line.value_or(std::string()));
    }
    page.width = table["width"].value_or(page.width);
    page.height = table["height"].value_or(page.height);
    page.first_line = static_cast<int>(table.source().begin.line);
    page.item_indent = indentOf(page.first_line) + "  ";
    page.new_item_at = valuesEnd(table);
    page.tempo = table["tempo"].value_or(tempo);
    if (const toml::array* items = table["item"].as_array()) {
      for (const auto& node : *items) {
        if (const toml::table* item_table = node.as_table()) page.items.push_back(item(*item_table, page.tempo));
      }
    }
    if (!page.items.empty()) {
      page.item_indent = indentOf(page.items.front().first_line);
      page.new_item_at = lines.end(page.items.back().last_line);
    }
    page.last_line = page.items.empty() ? lastLine(page.first_line) : page.items.back().last_line;
    return page;
  }
};

// Every section's first line, so that an item's lines end where the next section begins.
void collectHeaders(const toml::table& table, std::set<int>& headers) {
  for (const auto& [key, value] : table) {
    if (const toml::table* inner = value.as_table(); inner != nullptr && !inner->is_inline()) {
      headers.insert(static_cast<int>(inner->source().begin.line));
      collectHeaders(*inner, headers);
    } else if (const toml::array* array = value.as_array(); array != nullptr && array->is_array_of_tables()) {
      for (const auto& element : *array) {
        if (element.as_table()->is_inline()) continue;
        headers.insert(static_cast<int>(element.source().begin.line));
        collectHeaders(*element.as_table(), headers);
      }
    }
  }
}

}  // namespace

std::vector<std::string> EditableLesson::namedFiles() const {
  std::vector<std::string> files;
  for (const EditablePage& page : pages) {
    if (!page.picture.empty()) files.push_back(page.picture);
    for (const EditableItem& item : page.items) {
      if (!item.audio.empty()) files.push_back(item.audio);
    }
  }
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  return files;
}

EditableLesson parseEditableLesson(const std::filesystem::path& file, std::string text) {
  toml::table root;
  try {
    root = toml::parse(text, file.string());
  } catch (const toml::parse_error& error) {
    throw BuildError(SourceRef{file.string(), static_cast<int>(error.source().begin.line)}, std::string(error.description()));
  }
  EditableLesson lesson{file, std::move(text), {}};
  const Lines lines(lesson.text);
  Walk walk{file, lines, {}};
  collectHeaders(root, walk.headers);
  const toml::array* lessons = root["lesson"].as_array();
  if (lessons == nullptr) throw BuildError(SourceRef{file.string(), 1}, "the file holds no [[lesson.page]] to edit");
  for (const auto& lesson_node : *lessons) {
    const toml::table* lesson_table = lesson_node.as_table();
    if (lesson_table == nullptr) continue;
    const int number = (*lesson_table)["number"].value_or(1);
    const double tempo = (*lesson_table)["tempo"].value_or(1.0);
    if (const toml::array* pages = (*lesson_table)["page"].as_array()) {
      for (const auto& page : *pages) {
        if (const toml::table* page_table = page.as_table()) lesson.pages.push_back(walk.page(*page_table, number, tempo));
      }
    }
  }
  if (lesson.pages.empty()) throw BuildError(SourceRef{file.string(), 1}, "the file holds no [[lesson.page]] to edit");
  return lesson;
}

EditableLesson readEditableLesson(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw BuildError("can't read " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return parseEditableLesson(file, text.str());
}

}  // namespace zorva::editor
