// A lesson description as the editor sees it: every page's picture, items, areas and cuts, with
// where each number stands in the text, so that a corrected value can be written back in place.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/LessonDescription.h"

namespace zorva::editor {

// Where a value's text lies in the file: bytes [begin, end).
struct TextSpan {
  size_t begin = 0;
  size_t end = 0;
};

struct EditableRect {
  builder::PictureRect rect;
  std::array<TextSpan, 4> at;  // left, top, right, bottom
};

struct EditableSeconds {
  double value = 0;
  TextSpan at;
};

struct EditableItem {
  std::optional<EditableRect> rect;  // none: the item surrounds a text line
  std::optional<int> line;
  std::string role;
  std::optional<EditableRect> role_rect;
  std::string audio;  // the sound file as the lesson names it
  std::optional<EditableSeconds> from;
  std::optional<EditableSeconds> to;
  std::string say;  // the sentence spoken, or the one a proposal notes beside its cut
  double tempo = 1.0;
  int first_line = 0;  // the item's lines in the file, from its header to its last word
  int last_line = 0;
  size_t values_end = 0;  // where the item's last value ends: a new key is written after it
  // What deleting the item removes: its section, the comments right above its header and the
  // blank lines before them. Empty for an item written inline in its page.
  TextSpan whole;
  std::string indent;     // of the item's header, for keys written into it
  std::vector<std::string> flags;  // "# listen to this cut" notes left by propose
};

struct EditablePage {
  int lesson = 0;
  std::string info;
  std::string picture;             // as the lesson names it; empty for a page laid out from text
  std::vector<std::string> text;   // the lines of a text page
  int width = 740;
  int height = 700;
  double tempo = 1.0;  // what its items play at unless they say otherwise
  std::vector<EditableItem> items;
  int first_line = 0;
  int last_line = 0;
  size_t new_item_at = 0;  // where a new item's section is written
  std::string item_indent;
};

struct EditableLesson {
  std::filesystem::path file;
  std::string text;
  std::vector<EditablePage> pages;

  // Every file the lesson names (pictures and sounds), as named.
  std::vector<std::string> namedFiles() const;
  std::filesystem::path folder() const { return file.parent_path(); }
};

// Parses `text` as the contents of `file`. Throws builder::BuildError naming the line when the
// text is not TOML or its pages and items are not where a lesson keeps them.
EditableLesson parseEditableLesson(const std::filesystem::path& file, std::string text);

// Reads and parses the file; throws builder::BuildError when it can't be read.
EditableLesson readEditableLesson(const std::filesystem::path& file);

}  // namespace zorva::editor
