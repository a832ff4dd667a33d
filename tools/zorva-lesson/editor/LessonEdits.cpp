#include "tools/zorva-lesson/editor/LessonEdits.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

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

builder::PictureRect rectFrom(const ValueChange& change) {
  if (change.values.size() != 4) throw EditRefused("'" + change.key + "' takes four numbers");
  for (double v : change.values) {
    if (v != std::floor(v) || v < 0 || v > 32767) throw EditRefused("'" + change.key + "' takes whole numbers from 0");
  }
  const builder::PictureRect r{static_cast<int>(change.values[0]), static_cast<int>(change.values[1]),
                               static_cast<int>(change.values[2]), static_cast<int>(change.values[3])};
  if (r.right <= r.left || r.bottom <= r.top) throw EditRefused("'" + change.key + "' must have right > left and bottom > top");
  return r;
}

void changeRect(const std::optional<EditableRect>& old, const ValueChange& change, std::vector<Splice>& out) {
  if (!old) throw EditRefused("this item has no '" + change.key + "' to change");
  const builder::PictureRect r = rectFrom(change);
  const int values[4] = {r.left, r.top, r.right, r.bottom};
  const int before[4] = {old->rect.left, old->rect.top, old->rect.right, old->rect.bottom};
  for (size_t i = 0; i < 4; ++i) {
    if (values[i] != before[i]) out.push_back(Splice{old->at[i], std::to_string(values[i])});
  }
}

void changeSeconds(const EditableItem& item, const ValueChange& change, std::vector<Splice>& out) {
  if (item.audio.empty()) throw EditRefused("'" + change.key + "' needs an item with an 'audio' file");
  if (change.values.size() != 1 || !(change.values[0] >= 0) || change.values[0] > 86400) {
    throw EditRefused("'" + change.key + "' takes one time in seconds, 0 or more");
  }
  const double seconds = change.values[0];
  const std::optional<EditableSeconds>& old = change.key == "from" ? item.from : item.to;
  if (!old) {
    out.push_back(Splice{TextSpan{item.values_end, item.values_end}, "\n" + item.indent + change.key + " = " + secondsText(seconds)});
    return;
  }
  if (std::llround(old->value * 1000) != std::llround(seconds * 1000)) out.push_back(Splice{old->at, secondsText(seconds)});
}

}  // namespace

std::string applyChanges(const EditableLesson& lesson, const std::vector<ValueChange>& changes,
                         const std::vector<NewItem>& new_items) {
  std::vector<Splice> splices;
  for (const ValueChange& change : changes) {
    if (change.page >= lesson.pages.size() || change.item >= lesson.pages[change.page].items.size()) {
      throw EditRefused("no item " + std::to_string(change.item + 1) + " on page " + std::to_string(change.page + 1));
    }
    const EditableItem& item = lesson.pages[change.page].items[change.item];
    if (change.key == "rect") {
      changeRect(item.rect, change, splices);
    } else if (change.key == "role_rect") {
      changeRect(item.role_rect, change, splices);
    } else if (change.key == "from" || change.key == "to") {
      changeSeconds(item, change, splices);
    } else {
      throw EditRefused("'" + change.key + "' can't be changed here");
    }
  }
  for (const NewItem& added : new_items) {
    if (added.page >= lesson.pages.size()) throw EditRefused("no page " + std::to_string(added.page + 1));
    const EditablePage& page = lesson.pages[added.page];
    const ValueChange as_change{added.page, 0, "rect", {double(added.rect.left), double(added.rect.top),
                                                        double(added.rect.right), double(added.rect.bottom)}};
    splices.push_back(Splice{TextSpan{page.new_item_at, page.new_item_at},
                             "\n\n" + page.item_indent + "[[lesson.page.item]]\n" + page.item_indent +
                                 "rect = " + cornersText(rectFrom(as_change))});
  }
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
