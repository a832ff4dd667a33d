#include "tools/zorva-lesson/DescriptionShape.h"

#include <vector>

#include "tools/zorva-lesson/FileBytes.h"
#include "tools/zorva-lesson/InputLimits.h"
#include "tools/zorva-lesson/LessonDescription.h"

namespace zorva::builder {
namespace {

// Walks the text outside strings and comments, counting the parts of the key being read (in a
// table header, before '=' or inside an inline table) and the values open around it.
class ShapeScan {
 public:
  ShapeScan(std::string_view text, const std::string& path) : text_(text), path_(path) {}

  void run() {
    for (at_ = 0; at_ < text_.size(); ++at_) {
      const char c = text_[at_];
      if (c == '"' || c == '\'') skipString(c);
      else if (c == '#') skipTo("\n", false);
      else if (c == '\n') newLine();
      else if (c == '.' && in_key_) countPart();
      else if (c == '=') in_key_ = false, in_value_ = true;
      else if (c == ',' && !open_.empty() && open_.back() == '{') in_key_ = true, parts_ = 1;
      else if (c == '[' || c == '{') open(c);
      else if ((c == ']' || c == '}') && !open_.empty()) close();
      else if (c == ']' && header_) in_key_ = false;
    }
  }

 private:
  void fail(const std::string& what) const { throw BuildError(SourceRef{path_, line_}, what); }

  void countPart() {
    if (++parts_ > kMaxKeyParts) {
      fail("a key or table header of more than " + std::to_string(kMaxKeyParts) + " dotted parts (a description needs 3)");
    }
  }

  void open(char c) {
    if (c == '[' && open_.empty() && !in_value_) {  // a table header: [a.b] or [[a.b]]
      if (at_ + 1 < text_.size() && text_[at_ + 1] == '[') ++at_;
      in_key_ = true, parts_ = 1, header_ = true;
      return;
    }
    open_.push_back(c);
    if (open_.size() > static_cast<size_t>(kMaxValueNesting)) {
      fail("values nested more than " + std::to_string(kMaxValueNesting) + " deep");
    }
    if (c == '{') in_key_ = true, parts_ = 1;
  }

  void close() {
    open_.pop_back();
    in_key_ = false;
  }


  void newLine() {
    ++line_;
    if (!open_.empty()) return;  // a value spread over lines goes on
    in_value_ = false, header_ = false, in_key_ = true, parts_ = 1;
  }

  // Leaves `at_` on the string's last character; a multi-line string counts its lines.
  void skipString(char quote) {
    const std::string triple(3, quote);
    const bool multi = text_.substr(at_, 3) == triple;
    at_ += multi ? 3 : 1;
    skipTo(multi ? triple : std::string(1, quote), quote == '"');
  }

  void skipTo(const std::string& end, bool escapes) {
    for (; at_ < text_.size(); ++at_) {
      if (escapes && text_[at_] == '\\') {
        ++at_;
        continue;
      }
      if (text_[at_] == '\n' && end != "\n") ++line_;
      if (text_.substr(at_, end.size()) == end) {
        at_ += end.size() - 1;
        if (end == "\n") newLine();
        return;
      }
    }
  }

  std::string_view text_;
  const std::string& path_;
  size_t at_ = 0;
  int line_ = 1;
  int parts_ = 1;
  bool in_key_ = true;
  bool in_value_ = false;
  bool header_ = false;
  std::vector<char> open_;
};

}  // namespace

void requireDescriptionShape(std::string_view text, const std::string& path) { ShapeScan(text, path).run(); }

std::string readBoundedDescription(const std::string& path) {
  std::string why;
  const std::optional<FileBytes> file = FileBytes::read(path, kMaxDescriptionBytes, why);
  if (!file) {
    throw BuildError(SourceRef{path, 1}, "the description " + why + (why.starts_with("is larger") ? " (a description "
                                         "may hold at most " + std::to_string(kMaxDescriptionBytes) + " bytes)" : ""));
  }
  std::string text(file->bytes().begin(), file->bytes().end());
  requireDescriptionShape(text, path);
  return text;
}

}  // namespace zorva::builder
