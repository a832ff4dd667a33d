// What a course may hold: folders and regular files inside it, nothing else. A link counts as
// the regular file it leads to when that file lies inside the course; a named pipe, a device, a
// socket, a link to a folder and a link leading out of the course are refused, by name. Install,
// check and pack take a course's files through this one rule.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zorva::builder {

// Why `path`, an entry of the course folder `course`, is not something a course may hold, or ""
// when it is a regular file or a real folder (not a link to one).
std::string courseMemberRefusal(const std::filesystem::path& course, const std::filesystem::path& path);

struct CourseListing {
  std::vector<std::filesystem::path> folders;  // relative to the course, parents before children
  std::vector<std::filesystem::path> files;    // relative to the course
  std::vector<std::string> refused;            // "<path> is ..." for every entry the rule refuses
};

// Every folder and file under `course`, in a stable order.
CourseListing listCourse(const std::filesystem::path& course);

}  // namespace zorva::builder
