#include "tools/zorva-lesson/course/CourseArchive.h"

#include <archive.h>

#include "tools/lessonkit/Folder.h"

namespace zorva::builder {

namespace {

constexpr size_t kMaxNameLength = 255;

bool plainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.size() <= kMaxNameLength &&
         name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

// "ZORVADAT", "ZORVADAT/" or "ZORVADAT/NAME"; anything else is outside the course.
std::optional<std::string> nameInside(std::string path) {
  if (!path.empty() && path.back() == '/') path.pop_back();  // how tar names a folder
  const std::string folder = lessonkit::kDataFolderName;
  if (path == folder) return std::string();
  if (path.rfind(folder + "/", 0) != 0) return std::nullopt;
  const std::string name = path.substr(folder.size() + 1);
  if (!plainName(name)) return std::nullopt;
  return name;
}

}  // namespace

std::string archiveErrorText(::archive* handle) {
  const char* text = archive_error_string(handle);
  return text != nullptr ? text : "unknown error";
}

std::string memberFileName(const std::string& path) { return nameInside(path).value_or(std::string()); }

std::optional<std::string> memberRefusal(const MemberHeader& member, const ArchiveLimits& limits) {
  const std::string quoted = "'" + member.path + "'";
  if (!member.link_target.empty()) return quoted + " is a link to '" + member.link_target + "'";
  if (member.kind == MemberKind::Other) return quoted + " is not a plain file (a device, pipe or link)";
  const std::optional<std::string> name = nameInside(member.path);
  if (!name) return quoted + " lies outside the course's " + lessonkit::kDataFolderName + " folder";
  if (member.kind == MemberKind::Folder && !name->empty()) return quoted + " is a folder inside the course";
  if (member.kind == MemberKind::File && name->empty()) return quoted + " is a file in the folder's place";
  if (member.size_bytes < 0 || static_cast<uint64_t>(member.size_bytes) > limits.member_bytes) {
    return quoted + " is " + std::to_string(member.size_bytes) + " bytes, more than a course file may be (" +
           std::to_string(limits.member_bytes) + ")";
  }
  return std::nullopt;
}

}  // namespace zorva::builder
