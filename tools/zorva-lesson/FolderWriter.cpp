#include "tools/zorva-lesson/FolderWriter.h"

#include <filesystem>
#include <unistd.h>

#include "tools/zorva-lesson/CourseRules.h"

namespace zorva::builder {

void writeLessonFolder(const BuiltBook& book, const std::string& out_dir) {
  namespace fs = std::filesystem;
  lessonkit::FolderFiles files;
  try {
    files = lessonkit::buildFolder(book);
  } catch (const std::exception& error) {
    throw BuildError(std::string("can't lay out the data files: ") + error.what());
  }
  for (const auto& [name, bytes] : files.files) {
    if (auto words = judge(LimitId::PageFileMegabytes, bytes.size())) throw BuildError(name + ": " + *words);
  }
  std::error_code error;
  fs::create_directories(out_dir, error);
  const fs::path staging = fs::path(out_dir) / (".zorvadat-" + std::to_string(getpid()));
  const fs::path target = fs::path(out_dir) / lessonkit::kDataFolderName;
  fs::remove_all(staging, error);
  try {
    lessonkit::writeFolder(files, staging);
  } catch (const std::exception& failure) {
    fs::remove_all(staging, error);
    throw BuildError(std::string("can't write ") + out_dir + ": " + failure.what());
  }
  fs::remove_all(target, error);
  fs::rename(staging / lessonkit::kDataFolderName, target, error);
  fs::remove_all(staging);
  if (error) throw BuildError("can't move the new ZORVADAT into " + out_dir + ": " + error.message());
}

}  // namespace zorva::builder
