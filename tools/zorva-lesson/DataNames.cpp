#include "tools/zorva-lesson/DataNames.h"

#include "platform/win32/kernel/PathResolver.h"
#include "tools/zorva-lesson/CourseFiles.h"

namespace zorva::builder {
namespace {

// How many folders below the data folder the name ends, or -1 when ".." climbs out of it.
int depthBelowFolder(const std::string& name) {
  int depth = 0;
  std::string part;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != '\\' && name[i] != '/') {
      part += name[i];
      continue;
    }
    if (part == "..") {
      if (--depth < 0) return -1;
    } else if (!part.empty() && part != ".") {
      ++depth;
    }
    part.clear();
  }
  return depth;
}

}  // namespace

std::optional<std::filesystem::path> resolveDataName(const std::filesystem::path& folder,
                                                     const std::string& name, std::string& why) {
  const int depth = depthBelowFolder(name);
  if (depth < 0) {
    why = "leads out of the data folder";
    return std::nullopt;
  }
  if (depth == 0) {
    why = "names no file (the data folder itself)";
    return std::nullopt;
  }
  const std::optional<std::string> path = platform::resolvePath(folder.string() + "/" + name);
  why = path ? courseMemberRefusal(folder, *path) : "is missing";
  if (!why.empty()) return std::nullopt;
  return std::filesystem::path(*path);
}

}  // namespace zorva::builder
