// A course file unpacked into a temporary folder of its own, for `open` and `install`.
#pragma once

#include <filesystem>

#include "tools/zorva-lesson/course/CourseArchive.h"

namespace zorva::builder {

class UnpackedCourse {
 public:
  // Unpacks `archive` into a new folder under the system's temporary folder. Every member is
  // judged by memberRefusal before anything of it is written, and the bytes written are counted
  // against `limits`; a refused, damaged or course-less archive throws ArchiveError, and the
  // folder is gone again.
  explicit UnpackedCourse(const std::filesystem::path& archive, const ArchiveLimits& limits = kArchiveLimits);
  ~UnpackedCourse();
  UnpackedCourse(const UnpackedCourse&) = delete;
  UnpackedCourse& operator=(const UnpackedCourse&) = delete;

  // The folder holding ZORVADAT.
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

// Whether `path` names a course file rather than a course folder.
bool isCourseFile(const std::filesystem::path& path);

}  // namespace zorva::builder
