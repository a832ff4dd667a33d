#include "tools/zorva-lesson/editor/LessonEdits.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>

#include <toml++/toml.h>

namespace zorva::editor {
namespace {

// A piece of the text to replace (an empty span inserts).
struct Splice {
  TextSpan at;
  std::string text;
  size_t order = 0;
};

std::string secondsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

std::string cornersText(const builder::PictureRect& r) {
  std::string text = "[";
  for (int v : {r.left, r.top, r.right}) text += std::to_string(v) + ", ";
  return text + std::to_string(r.bottom) + "]";
}

builder::PictureRect rectFrom(const std::string& key, const std::vector<double>& values) {
  if (values.size() != 4) throw EditRefused("'" + key + "' takes four numbers");
  for (double v : values) {
    if (v != std::floor(v) || v < 0 || v > 32767) throw EditRefused("'" + key + "' takes whole numbers from 0");
  }
  const builder::PictureRect r{static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                               static_cast<int>(values[3])};
  if (r.right <= r.left || r.bottom <= r.top) throw EditRefused("'" + key + "' must have right > left and bottom > top");
  return r;
}

void changeRect(const std::optional<EditableRect>& old, const ValueChange& change, std::vector<Splice>& out) {
  if (!old) throw EditRefused("this item has no '" + change.key + "' to change");
  const builder::PictureRect r = rectFrom(change.key, change.values);
  const int values[4] = {r.left, r.top, r.right, r.bottom};
  const int before[4] = {old->rect.left, old->rect.top, old->rect.right, old->rect.bottom};
  for (size_t i = 0; i < 4; ++i) {
    if (values[i] != before[i]) out.push_back(Splice{old->at[i], std::to_string(values[i])});
  }
}

double secondsFrom(const std::string& key, const std::vector<double>& values) {
  if (values.size() != 1 || !(values[0] >= 0) || values[0] > 86400) throw EditRefused("'" + key + "' takes one time in seconds, 0 or more");
  return values[0];
}

void changeSeconds(const EditableItem& item, const ValueChange& change, std::vector<Splice>& out) {
  if (item.audio.empty()) throw EditRefused("'" + change.key + "' needs an item with an 'audio' file");
  const double seconds = secondsFrom(change.key, change.values);
  const std::optional<EditableSeconds>& old = change.key == "from" ? item.from : item.to;
  if (!old) {
    out.push_back(Splice{TextSpan{item.values_end, item.values_end}, "\n" + item.indent + change.key + " = " + secondsText(seconds)});
    return;
  }
  if (std::llround(old->value * 1000) != std::llround(seconds * 1000)) out.push_back(Splice{old->at, secondsText(seconds)});
}

void changeValue(const EditableItem& item, const ValueChange& change, std::vector<Splice>& out) {
  if (change.key == "rect") {
    changeRect(item.rect, change, out);
  } else if (change.key == "role_rect") {
    changeRect(item.role_rect, change, out);
  } else if (change.key == "from" || change.key == "to") {
    changeSeconds(item, change, out);
  } else {
    throw EditRefused("'" + change.key + "' can't be changed here");
  }
}

const EditableItem& itemAt(const EditableLesson& lesson, size_t page, size_t item) {
  if (page >= lesson.pages.size() || item >= lesson.pages[page].items.size()) {
    throw EditRefused("no item " + std::to_string(item + 1) + " on page " + std::to_string(page + 1));
  }
  return lesson.pages[page].items[item];
}

// The new item's section, written after the page's last item in its items' indent.
Splice newItemSection(const EditableLesson& lesson, const NewItem& added) {
  if (added.page >= lesson.pages.size()) throw EditRefused("no page " + std::to_string(added.page + 1));
  const EditablePage& page = lesson.pages[added.page];
  const builder::PictureRect& r = added.rect;
  const std::string& in = page.item_indent;
  std::string text = "\n\n" + in + "[[lesson.page.item]]\n" + in + "rect = " +
                     cornersText(rectFrom("rect", {double(r.left), double(r.top), double(r.right), double(r.bottom)}));
  if (!added.audio.empty()) {
    const auto names = [&](const EditablePage& p) {
      return std::any_of(p.items.begin(), p.items.end(), [&](const EditableItem& i) { return i.audio == added.audio; });
    };
    if (!std::any_of(lesson.pages.begin(), lesson.pages.end(), names)) {
      throw EditRefused("a new item's 'audio' must be a recording the lesson's items cut from");
    }
    const double from = secondsFrom("from", {added.from}), to = secondsFrom("to", {added.to});
    if (to <= from) throw EditRefused("a new item's 'to' must lie after its 'from'");
    std::ostringstream audio;
    // Quoted as the file's own names are, with double quotes.
    const toml::table name{{"audio", added.audio}};
    audio << toml::toml_formatter(name, toml::format_flags::none);
    text += "\n" + in + audio.str() + "\n" + in + "from = " + secondsText(from) + "\n" + in + "to = " + secondsText(to);
  }
  return Splice{TextSpan{page.new_item_at, page.new_item_at}, std::move(text)};
}

}  // namespace

std::string applyChanges(const EditableLesson& lesson, const Corrections& corrections) {
  std::vector<Splice> splices;
  std::set<std::pair<size_t, size_t>> deleted;
  for (const ItemRef& gone : corrections.deleted) {
    const EditableItem& item = itemAt(lesson, gone.page, gone.item);
    if (item.whole.end <= item.whole.begin) throw EditRefused("item " + std::to_string(gone.item + 1) + " is written inside its page: delete it in the file");
    if (deleted.emplace(gone.page, gone.item).second) splices.push_back(Splice{item.whole, ""});
  }
  for (const ValueChange& change : corrections.changes) {
    const EditableItem& item = itemAt(lesson, change.page, change.item);
    if (!deleted.count({change.page, change.item})) changeValue(item, change, splices);
  }
  for (const NewItem& added : corrections.new_items) splices.push_back(newItemSection(lesson, added));
  // From the end backwards, so that the places still to change keep their offsets; of two
  // insertions at one place the later goes in first, so that they read in the order made.
  for (size_t i = 0; i < splices.size(); ++i) splices[i].order = i;
  std::sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) {
    return a.at.begin != b.at.begin ? a.at.begin > b.at.begin : a.order > b.order;
  });
  std::string text = lesson.text;
  for (const Splice& splice : splices) text.replace(splice.at.begin, splice.at.end - splice.at.begin, splice.text);
  return text;
}

void replaceFile(const std::filesystem::path& file, const std::string& text) {
  std::string temp = (file.parent_path() / std::string(".").append(file.filename().string()).append(".XXXXXX")).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw std::runtime_error("can't write beside " + file.string() + ": " + std::strerror(errno));
  struct stat old {};
  if (stat(file.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) break;
    done += static_cast<size_t>(wrote);
  }
  const bool written = done == text.size() && fsync(fd) == 0;
  const int saved_errno = errno;
  close(fd);
  if (!written || std::rename(temp.c_str(), file.c_str()) != 0) {
    const std::string why = std::strerror(written ? errno : saved_errno);
    std::remove(temp.c_str());
    throw std::runtime_error("can't write " + file.string() + ": " + why);
  }
}

}  // namespace zorva::editor
