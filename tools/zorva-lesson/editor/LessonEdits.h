// Corrections made in the editor, written into the lesson's own text: only the numbers that
// changed are replaced where they stand, so every comment, order and blank line stays the author's.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/zorva-lesson/editor/EditableLesson.h"

namespace zorva::editor {

// A value the author set: an item's "rect" or "role_rect" (four whole numbers) or its "from" or
// "to" (one time in seconds).
struct ValueChange {
  size_t page = 0;
  size_t item = 0;
  std::string key;
  std::vector<double> values;
};

// An item the author drew on a page; on a page whose items cut a recording it cuts one too,
// so that it plays once built.
struct NewItem {
  size_t page = 0;
  builder::PictureRect rect;
  std::string audio{};  // a recording the lesson names, or empty: an item without a clip
  double from = 0;
  double to = 0;
};

// An item of the file as it was read.
struct ItemRef {
  size_t page = 0;
  size_t item = 0;
};

// Everything the author corrected on the page since the file was read.
struct Corrections {
  std::vector<ValueChange> changes{};  // values of items that stay
  std::vector<NewItem> new_items{};
  std::vector<ItemRef> deleted{};  // whole sections go; changes to them are dropped
};

// A correction that names no item, an unknown key or impossible values.
class EditRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The lesson's text with the corrections made. Values equal to the file's (times to the
// millisecond) leave it as it is. Throws EditRefused.
std::string applyChanges(const EditableLesson& lesson, const Corrections& corrections);

// Writes `text` to a new file beside `file` and renames it over, so that a crash leaves either
// the old file or the new one. Throws std::runtime_error when it can't.
void replaceFile(const std::filesystem::path& file, const std::string& text);

}  // namespace zorva::editor
