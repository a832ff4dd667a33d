#include "tools/zorva-lesson/course/CoursePacker.h"

#include <archive.h>
#include <archive_entry.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <vector>

#include "tools/lessonkit/Folder.h"
#include "tools/zorva-lesson/Launcher.h"
#include "tools/zorva-lesson/course/CourseArchive.h"

namespace zorva::builder {
namespace fs = std::filesystem;

namespace {

using Writer = std::unique_ptr<archive, decltype(&archive_write_free)>;
using Entry = std::unique_ptr<archive_entry, decltype(&archive_entry_free)>;

// The files to pack, by name; anything but a plain file is refused, as unpacking would refuse it.
std::vector<fs::path> courseFiles(const fs::path& data) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(data)) {
    if (!entry.is_regular_file() || entry.is_symlink()) {
      throw ArchiveError(entry.path().string() + " is not a plain file: a course holds only files");
    }
    if (entry.file_size() > kArchiveLimits.member_bytes) {
      throw ArchiveError(entry.path().string() + " is larger than a course file may be");
    }
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void check(archive* writer, int status, const std::string& what) {
  if (status < ARCHIVE_WARN) throw ArchiveError(what + ": " + archiveErrorText(writer));
}

void writeHeader(archive* writer, const std::string& path, mode_t type, int64_t size) {
  Entry entry(archive_entry_new(), &archive_entry_free);
  archive_entry_set_pathname(entry.get(), path.c_str());
  archive_entry_set_filetype(entry.get(), type);
  archive_entry_set_perm(entry.get(), type == AE_IFDIR ? 0755 : 0644);
  archive_entry_set_size(entry.get(), size);
  check(writer, archive_write_header(writer, entry.get()), "can't write " + path);
}

void writeFile(archive* writer, const fs::path& file) {
  const std::string member = std::string(lessonkit::kDataFolderName) + "/" + file.filename().string();
  writeHeader(writer, member, AE_IFREG, static_cast<int64_t>(fs::file_size(file)));
  std::ifstream in(file, std::ios::binary);
  std::vector<char> block(64 * 1024);
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    if (in.gcount() > 0 && archive_write_data(writer, block.data(), static_cast<size_t>(in.gcount())) < 0) {
      throw ArchiveError("can't write " + member + ": " + archiveErrorText(writer));
    }
  }
  if (in.bad()) throw ArchiveError("can't read " + file.string());
}

void writeArchive(const std::vector<fs::path>& files, const fs::path& out) {
  Writer writer(archive_write_new(), &archive_write_free);
  check(writer.get(), archive_write_add_filter_gzip(writer.get()), "gzip");
  check(writer.get(), archive_write_set_format_pax_restricted(writer.get()), "tar");
  check(writer.get(), archive_write_open_filename(writer.get(), out.c_str()), "can't write " + out.string());
  writeHeader(writer.get(), std::string(lessonkit::kDataFolderName) + "/", AE_IFDIR, 0);
  for (const fs::path& file : files) writeFile(writer.get(), file);
  check(writer.get(), archive_write_close(writer.get()), "can't finish " + out.string());
}

}  // namespace

void packCourse(const fs::path& course, const fs::path& out) {
  const fs::path folder = courseFolderFor(course);
  if (!holdsCourse(folder)) {
    throw ArchiveError("no course in " + course.string() + " (it holds no " + lessonkit::kDataFolderName + "/" +
                       lessonkit::kStartupFileName + ")");
  }
  const std::vector<fs::path> files = courseFiles(folder / lessonkit::kDataFolderName);
  // Written beside its place and renamed, so a failed pack leaves no half file under the name.
  const fs::path partial = out.string() + ".partial-" + std::to_string(getpid());
  try {
    writeArchive(files, partial);
    std::error_code error;
    fs::rename(partial, out, error);
    if (error) throw ArchiveError("can't write " + out.string() + ": " + error.message());
  } catch (...) {
    std::error_code ignored;
    fs::remove(partial, ignored);
    throw;
  }
}

}  // namespace zorva::builder
