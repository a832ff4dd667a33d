// zorva-lesson pack: a course folder into one course file.
#pragma once

#include <filesystem>

namespace zorva::builder {

// Writes the course in `course` (a folder holding ZORVADAT, or ZORVADAT itself) to `out`, all
// or nothing. Throws ArchiveError when the folder holds no course, holds anything but plain
// files, or the file cannot be written.
void packCourse(const std::filesystem::path& course, const std::filesystem::path& out);

}  // namespace zorva::builder
