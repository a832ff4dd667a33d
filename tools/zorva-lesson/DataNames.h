// Finds a data file the way Zorva does: a name read from a page (or formed from a lesson
// number) is taken inside the data folder, "\" and "/" separate sub-folders, and each part is
// matched ignoring case by the program's own path resolver.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zorva::builder {

// The file `name` stands for in `folder`, or nullopt with the reason in `why`: the name is
// empty or names the folder itself, leads out of it through ".." or a link, the file is missing,
// or it is something a course may not hold (CourseFiles).
std::optional<std::filesystem::path> resolveDataName(const std::filesystem::path& folder,
                                                     const std::string& name, std::string& why);

}  // namespace zorva::builder
