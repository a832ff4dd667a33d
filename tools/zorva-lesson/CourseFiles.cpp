#include "tools/zorva-lesson/CourseFiles.h"

#include <sys/stat.h>

#include <algorithm>

namespace zorva::builder {
namespace fs = std::filesystem;

namespace {

std::string kindRefusal(mode_t mode) {
  if (S_ISFIFO(mode)) return "is a named pipe, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a regular file";
  if (S_ISSOCK(mode)) return "is a socket, not a regular file";
  return "";
}

bool inside(const fs::path& folder, const fs::path& path) {
  const auto [end, at] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return end == folder.end();
}

std::string linkRefusal(const fs::path& course, const fs::path& path) {
  std::error_code error;
  const fs::path target = fs::canonical(path, error);
  if (error) return "is a link that leads nowhere";
  if (!inside(fs::canonical(course, error), target)) return "is a link leading out of the course (to " + target.string() + ")";
  struct stat st;
  if (::stat(target.c_str(), &st) != 0) return "is a link that leads nowhere";
  if (S_ISDIR(st.st_mode)) return "is a link to a folder";
  return kindRefusal(st.st_mode);
}

void listInto(const fs::path& course, const fs::path& relative, CourseListing& out) {
  std::error_code error;
  std::vector<fs::path> names;
  for (fs::directory_iterator it(course / relative, error), end; !error && it != end; it.increment(error)) {
    names.push_back(it->path().filename());
  }
  if (error) out.refused.push_back((course / relative).string() + " cannot be listed: " + error.message());
  std::sort(names.begin(), names.end());
  for (const fs::path& name : names) {
    const fs::path entry = relative / name;
    const std::string why = courseMemberRefusal(course, course / entry);
    if (!why.empty()) {
      out.refused.push_back((course / entry).string() + " " + why);
    } else if (fs::is_directory(fs::symlink_status(course / entry, error))) {
      out.folders.push_back(entry);
      listInto(course, entry, out);
    } else {
      out.files.push_back(entry);
    }
  }
}

}  // namespace

std::string courseMemberRefusal(const fs::path& course, const fs::path& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return "is missing";
  if (S_ISLNK(st.st_mode)) return linkRefusal(course, path);
  return kindRefusal(st.st_mode);
}

CourseListing listCourse(const fs::path& course) {
  CourseListing listing;
  listInto(course, fs::path(), listing);
  return listing;
}

}  // namespace zorva::builder
