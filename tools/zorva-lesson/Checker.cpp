#include "tools/zorva-lesson/Checker.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>

#include <glib.h>

#include "platform/win32/kernel/PathResolver.h"
#include "tools/lessonkit/FileLayout.h"
#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/DataNames.h"
#include "tools/zorva-lesson/FileBytes.h"
#include "tools/zorva-lesson/PictureCheck.h"

namespace zorva::builder {
namespace {

namespace fs = std::filesystem;
using namespace lessonkit;

std::string upper(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
  return name;
}

// Windows-1252 text with letters beyond ASCII is almost never valid UTF-8 as well.
bool looksLikeUtf8(const std::string& text) {
  const bool beyond_ascii = std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
  return beyond_ascii && g_utf8_validate(text.c_str(), static_cast<gssize>(text.size()), nullptr);
}

// The report is read on a UTF-8 terminal; the page holds Windows-1252.
std::string asTerminalText(const std::string& windows1252) {
  gchar* converted = g_convert(windows1252.c_str(), static_cast<gssize>(windows1252.size()), "UTF-8", "WINDOWS-1252",
                               nullptr, nullptr, nullptr);
  if (converted == nullptr) return windows1252;
  std::string text = converted;
  g_free(converted);
  return text;
}

bool canList(const fs::path& dir, std::error_code& error) {
  if (!fs::is_directory(dir, error)) return false;
  fs::directory_iterator listing(dir, error);
  return !error;
}

class FolderCheck {
 public:
  FolderCheck(fs::path folder, std::ostream& out) : folder_(std::move(folder)), out_(out) {}

  CheckResult run() {
    checkStartFile();
    // The contents page comes last: its chain leads into lesson 1, which is reported as such.
    std::set<std::string> seen;
    for (int lesson : {1, 2, 3, 4, 0}) {
      const std::string first = "14" + std::to_string(lesson) + "01.pge";
      std::string why;
      if (!resolveDataName(folder_, first, why)) {
        if (lesson == 0) {
          problem(first, 0, "the contents page " + why + ": Zorva loads it for \"Previous Page\" on a lesson's "
                            "first page and \"Next Page\" on its last");
        }
        if (lesson == 1) problem(first, 0, missingFirstPageWords());
        continue;
      }
      out_ << (lesson == 0 ? "Contents (lesson 0)" : "Lesson " + std::to_string(lesson)) << "\n";
      std::string name = first;
      while (!name.empty()) {
        if (!seen.insert(upper(name)).second) break;  // the chain came to a page already shown
        name = checkPage(name);
      }
    }
    return result_;
  }

 private:
  void problem(const std::string& file, long offset, const std::string& what) {
    result_.problems.push_back(Problem{file, offset, what});
    out_ << "  PROBLEM " << file << " @" << offset << ": " << what << "\n";
  }

  // Reads the data file `name` stands for, or reports why Zorva could not read it.
  std::optional<FileBytes> readData(const std::string& name, const std::string& what) {
    std::string why;
    const std::optional<std::filesystem::path> path = resolveDataName(folder_, name, why);
    std::optional<FileBytes> bytes;
    std::error_code error;
    if (path && fs::is_regular_file(*path, error)) {
      const uintmax_t size = fs::file_size(*path, error);
      if (auto words = error ? std::nullopt : judge(LimitId::PageFileMegabytes, size)) {
        problem(name, 0, *words);
        return bytes;
      }
    }
    if (path) bytes = FileBytes::read(*path, kMaxDataFileBytes, why);
    if (!bytes) problem(name, 0, what + " " + why);
    return bytes;
  }

  void checkPictureAt(const std::string& file, const FileBytes& bytes, size_t record_at, bool title) {
    const auto [offset, length] = bytes.pictureRecord(record_at);
    if (offset < 0 || static_cast<uint64_t>(offset) + length > bytes.size()) {
      problem(file, static_cast<long>(record_at + kPictureOffsetAt), "picture data lies outside the file");
      return;
    }
    const PictureReport report = checkPicture(bytes, static_cast<uint64_t>(offset), length);
    if (!report.summary.empty()) out_ << "  picture " << report.summary << "\n";
    const LimitId width = title ? LimitId::TitleWidth : LimitId::PageWidth;
    const LimitId height = title ? LimitId::TitleHeight : LimitId::PageHeight;
    for (const auto& [id, measured] : {std::pair{width, report.width}, std::pair{height, report.height}}) {
      if (auto words = judge(id, static_cast<uint64_t>(std::max<int64_t>(measured, 0)))) {
        problem(file, static_cast<long>(offset) + 4, *words);
      }
    }
    for (const PictureFault& fault : report.faults) problem(file, static_cast<long>(fault.at), fault.what);
  }

  void checkStartFile() {
    const std::optional<FileBytes> read = readData("DATA4.DAT", "the start-up file (the title picture)");
    if (!read) return;
    const FileBytes& bytes = *read;
    out_ << "DATA4.DAT (" << bytes.size() << " bytes)\n";
    if (bytes.size() < kStartupHeaderSize) {
      problem("DATA4.DAT", static_cast<long>(bytes.size()),
              "shorter than its " + std::to_string(kStartupHeaderSize) + "-byte header");
      return;
    }
    const int32_t record = bytes.i32(kStartupRecordPointer);
    if (record < 0 || static_cast<uint64_t>(record) + kPictureRecordSize > bytes.size()) {
      problem("DATA4.DAT", kStartupRecordPointer, "the title's picture record lies outside the file");
      return;
    }
    checkPictureAt("DATA4.DAT", bytes, static_cast<size_t>(record), true);
  }

  // Reports one page and returns the name of the next one ("" at the end of the chain).
  std::string checkPage(const std::string& name) {
    const std::optional<FileBytes> read = readData(name, "the page file named in the chain");
    if (!read) return "";
    ++result_.pages;
    const FileBytes& bytes = *read;
    out_ << " Page " << name << " (" << bytes.size() << " bytes)\n";
    if (bytes.size() < kPageFixedSize) {
      problem(name, static_cast<long>(bytes.size()),
              "shorter than the page file's fixed " + std::to_string(kPageFixedSize) + " bytes");
      return "";
    }
    const std::string prev = bytes.text(kPagePrevAt, kPageNameSize), next = bytes.text(kPageNextAt, kPageNameSize);
    out_ << "  previous '" << prev << "', next '" << next << "'\n";
    const std::string info = bytes.text(kPageInfoAt, kPageInfoSize);
    out_ << "  info '" << asTerminalText(info) << "'\n";
    if (looksLikeUtf8(info)) {
      problem(name, kPageInfoAt,
              "the information line holds UTF-8 text; Zorva draws it byte by byte as Windows-1252");
    }
    std::string why;
    if (!prev.empty() && !resolveDataName(folder_, prev, why)) {
      problem(name, kPagePrevAt, "previous page '" + prev + "' " + why);
    }
    checkPictureAt(name, bytes, kPagePictureRecordAt, false);
    checkItems(name, bytes);
    return next;
  }

  void checkItems(const std::string& name, const FileBytes& bytes) {
    const auto [picture_at, picture_length] = bytes.pictureRecord(kPagePictureRecordAt);
    const uint64_t p = static_cast<uint64_t>(std::max(picture_at, 0)) + picture_length;
    if (p + 2 > bytes.size()) {
      problem(name, static_cast<long>(p), "no item count after the picture");
      return;
    }
    const int count = bytes.i16(p);
    out_ << "  " << count << " item(s)\n";
    if (count > kMaxItems) problem(name, static_cast<long>(p), "more than " + std::to_string(kMaxItems) + " items");
    if (count < 0) problem(name, static_cast<long>(p), "the item count is negative");
    std::vector<std::pair<int, int>> links;  // role head, next in role
    uint64_t at = p + 2;
    for (int i = 0; i < std::min(count, kMaxItems); ++i) {
      if (at + kItemRecordSize > bytes.size()) {
        problem(name, static_cast<long>(at), "item " + std::to_string(i) + "'s record is cut short");
        return;
      }
      const ItemRecord item = bytes.itemRecord(at);
      out_ << "  item " << i << ": audio ";
      print(item.audio);
      if (item.role.top != item.role.bottom) {
        out_ << " role ";
        print(item.role);
      }
      out_ << " head " << item.role_head << " next " << item.next_in_role;
      checkAudioRect(name, item.audio, at, i);
      links.emplace_back(item.role_head, item.next_in_role);
      at = checkClip(name, bytes, item, at, i);
      out_ << "\n";
    }
    checkChains(name, links, p + 2);
  }

  void print(const ViewRect& r) {
    out_ << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
  }

  // The largest audio rectangle that can be seen whole is the view on the largest window.
  void checkAudioRect(const std::string& name, const ViewRect& audio, uint64_t record, int index) {
    const int width = audio.right - audio.left;
    const int height = audio.bottom - audio.top;
    const std::string item = "item " + std::to_string(index) + "'s audio rectangle";
    if (width <= 0 || height <= 0) {
      problem(name, static_cast<long>(record + kItemAudioAt), item + " is empty or inverted");
    } else if (width > kViewWidth || height > kViewHeight) {
      problem(name, static_cast<long>(record + kItemAudioAt),
              item + " is larger than the " + std::to_string(kViewWidth) + "x" + std::to_string(kViewHeight) + " view");
    }
  }

  uint64_t checkClip(const std::string& name, const FileBytes& bytes, const ItemRecord& record, uint64_t at,
                     int index) {
    const uint32_t offset = record.clip_offset, length = record.clip_length;
    if (length == 0) {
      out_ << ", no clip, recording 116666 bytes";
      return at + kItemRecordSize;
    }
    const std::string item = "item " + std::to_string(index) + "'s clip";
    if (length < kClipHeaderSize || static_cast<uint64_t>(offset) + length > bytes.size()) {
      problem(name, static_cast<long>(at + kItemClipOffsetAt),
              item + " lies outside the file or is shorter than " + std::to_string(kClipHeaderSize) + " bytes");
      return static_cast<uint64_t>(offset) + length;
    }
    const int64_t base = static_cast<int64_t>(length) - 8;
    const int64_t grown = base < 58000 ? base + base / 2 : base + base / 6;
    out_ << ", clip " << length << " bytes (" << (length - kClipHeaderSize) / 44100.0 << " s), recording " << grown
         << " bytes";
    if (bytes.text(offset, 4) != "FORM") {
      problem(name, offset, item + " does not begin with \"FORM\": Zorva shows \"Not an AIFF file\" for it");
    }
    if ((length - kClipHeaderSize) % 2 != 0) {
      problem(name, static_cast<long>(at + kItemClipLengthAt), item + " has an odd data size");
    }
    return static_cast<uint64_t>(offset) + length;
  }

  void checkChains(const std::string& name, const std::vector<std::pair<int, int>>& links, uint64_t first_record) {
    const int n = static_cast<int>(links.size());
    for (int i = 0; i < n; ++i) {
      const long at = static_cast<long>(first_record + static_cast<uint64_t>(i) * kItemRecordSize);
      const long head_at = at + static_cast<long>(kItemRoleHeadAt), next_at = at + static_cast<long>(kItemNextInRoleAt);
      const auto [head, next] = links[i];
      if (head < -1 || head >= n) problem(name, head_at, "item " + std::to_string(i) + "'s role head is out of range");
      if (next < -1 || next >= n) problem(name, next_at, "item " + std::to_string(i) + "'s next in role is out of range");
      if (head != i || head < 0) continue;
      std::string chain = std::to_string(i);
      std::set<int> visited{i};
      for (int k = next; k != -1; k = links[k].second) {
        if (k < 0 || k >= n) break;
        if (!visited.insert(k).second) {
          problem(name, next_at, "role chain from item " + std::to_string(i) + " runs in a circle");
          break;
        }
        chain += " -> " + std::to_string(k);
      }
      out_ << "  role chain " << chain << "\n";
    }
  }

  fs::path folder_;
  std::ostream& out_;
  CheckResult result_;
};

}  // namespace

CheckResult checkLessonFolder(const std::string& folder, std::ostream& out) {
  fs::path dir = folder;
  std::error_code error;
  if (const auto inner = platform::resolvePath(folder + "/ZORVADAT"); inner && fs::is_directory(*inner, error)) {
    dir = *inner;
  }
  if (!canList(dir, error)) {
    out << "can't read folder " << folder << ": " << (error ? error.message() : "not a folder") << "\n";
    CheckResult result;
    result.readable = false;
    return result;
  }
  const CheckResult result = FolderCheck(dir, out).run();
  out << (result.problems.empty() ? "sound: " : "problems: ") << result.problems.size() << " problem(s) in "
      << result.pages << " page(s)\n";
  return result;
}

int checkExitStatus(const CheckResult& result) {
  if (!result.readable) return 2;
  return result.problems.empty() ? 0 : 1;
}

}  // namespace zorva::builder
