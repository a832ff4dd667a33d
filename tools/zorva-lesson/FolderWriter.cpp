#include "tools/zorva-lesson/FolderWriter.h"

#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/FolderSwap.h"

namespace zorva::builder {

std::string writeLessonFolder(const BuiltBook& book, const std::string& out_dir, FileCalls& calls) {
  lessonkit::FolderFiles files;
  try {
    files = lessonkit::buildFolder(book);
  } catch (const std::exception& error) {
    throw BuildError(std::string("can't lay out the data files: ") + error.what());
  }
  for (const auto& [name, bytes] : files.files) {
    if (auto words = judge(LimitId::PageFileMegabytes, bytes.size())) throw BuildError(name + ": " + *words);
  }
  try {
    FolderSwap swap(std::filesystem::path(out_dir) / lessonkit::kDataFolderName, ".zorvadat-", lessonkit::kDataFolderName,
                    calls);
    for (const auto& [name, bytes] : files.files) writeNewFile(calls, swap.staging() / name, bytes);
    return swap.commit();
  } catch (const FileError& failure) {
    throw BuildError(failure.what());
  }
}

}  // namespace zorva::builder
