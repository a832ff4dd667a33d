#include "tools/zorva-lesson/course/UnpackedCourse.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "tools/lessonkit/Folder.h"
#include "tools/zorva-lesson/Descriptor.h"
#include "tools/zorva-lesson/Launcher.h"

namespace zorva::builder {
namespace fs = std::filesystem;

namespace {

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;

MemberHeader headerOf(archive_entry* entry) {
  MemberHeader member;
  const char* path = archive_entry_pathname(entry);
  member.path = path != nullptr ? path : "";
  switch (archive_entry_filetype(entry)) {
    case AE_IFREG: member.kind = MemberKind::File; break;
    case AE_IFDIR: member.kind = MemberKind::Folder; break;
    default: member.kind = MemberKind::Other; break;
  }
  if (const char* link = archive_entry_hardlink(entry)) member.link_target = link;
  if (const char* link = archive_entry_symlink(entry)) member.link_target = link;
  member.size_bytes = archive_entry_size(entry);
  return member;
}

// Unpacks the members one by one into the open ZORVADAT folder `data`, counting every byte.
class Unpacker {
 public:
  Unpacker(archive* reader, int data, const ArchiveLimits& limits) : reader_(reader), data_(data), limits_(limits) {}

  void run() {
    archive_entry* entry = nullptr;
    uint64_t members = 0;
    for (;;) {
      const int status = archive_read_next_header(reader_, &entry);
      if (status == ARCHIVE_EOF) return;
      if (status < ARCHIVE_WARN) throw ArchiveError("it is damaged: " + archiveErrorText(reader_));
      if (++members > limits_.members) {
        throw ArchiveError("it holds more than " + std::to_string(limits_.members) + " members");
      }
      const MemberHeader member = headerOf(entry);
      if (std::optional<std::string> refusal = memberRefusal(member, limits_)) throw ArchiveError(*refusal);
      if (member.kind == MemberKind::File) unpackFile(member);
    }
  }

 private:
  void unpackFile(const MemberHeader& member) {
    const std::string name = memberFileName(member.path);
    Descriptor out(::openat(data_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (out.get() < 0) {
      throw ArchiveError("'" + member.path + "' " + (errno == EEXIST ? "appears twice" : "cannot be written: " +
                                                                                          std::string(std::strerror(errno))));
    }
    std::vector<char> block(64 * 1024);
    uint64_t written = 0;
    for (;;) {
      const la_ssize_t got = archive_read_data(reader_, block.data(), block.size());
      if (got < 0) throw ArchiveError("'" + member.path + "' is damaged: " + archiveErrorText(reader_));
      if (got == 0) return;
      written += static_cast<uint64_t>(got);
      total_ += static_cast<uint64_t>(got);
      checkGrowth(member, written);
      if (::write(out.get(), block.data(), static_cast<size_t>(got)) != got) {
        throw ArchiveError("'" + member.path + "' cannot be written: " + std::strerror(errno));
      }
    }
  }

  // The header's size is not trusted: the bytes that come out are counted.
  void checkGrowth(const MemberHeader& member, uint64_t written) const {
    if (written > static_cast<uint64_t>(member.size_bytes)) {
      throw ArchiveError("'" + member.path + "' is longer than its header says");
    }
    if (total_ > limits_.total_bytes) {
      throw ArchiveError("it unpacks to more than " + std::to_string(limits_.total_bytes) + " bytes");
    }
    const uint64_t read = static_cast<uint64_t>(archive_filter_bytes(reader_, -1));
    if (total_ > limits_.growth_allowance_bytes + limits_.growth_factor * read) {
      throw ArchiveError("it grows more than " + std::to_string(limits_.growth_factor) +
                         "-fold when unpacked, as a compression bomb does");
    }
  }

  archive* reader_;
  int data_;
  const ArchiveLimits& limits_;
  uint64_t total_ = 0;
};

fs::path makeTemporaryFolder() {
  std::string pattern = (fs::temp_directory_path() / "zorva-course-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw ArchiveError(std::string("no temporary folder can be made: ") + std::strerror(errno));
  }
  return pattern;
}

void unpackInto(const fs::path& archive_path, const fs::path& folder, const ArchiveLimits& limits) {
  const fs::path data_path = folder / lessonkit::kDataFolderName;
  if (::mkdir(data_path.c_str(), 0755) != 0) throw ArchiveError(std::string("can't unpack: ") + std::strerror(errno));
  Descriptor data(::open(data_path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  Reader reader(archive_read_new(), &archive_read_free);
  archive_read_support_filter_gzip(reader.get());
  archive_read_support_format_tar(reader.get());
  if (data.get() < 0 || archive_read_open_filename(reader.get(), archive_path.c_str(), 64 * 1024) != ARCHIVE_OK) {
    throw ArchiveError("it cannot be read: " + archiveErrorText(reader.get()));
  }
  Unpacker(reader.get(), data.get(), limits).run();
  if (!holdsCourse(folder)) {
    throw ArchiveError(std::string("it holds no ") + lessonkit::kDataFolderName + "/" + lessonkit::kStartupFileName);
  }
}

}  // namespace

bool isCourseFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

UnpackedCourse::UnpackedCourse(const fs::path& archive_path, const ArchiveLimits& limits)
    : folder_(makeTemporaryFolder()) {
  try {
    unpackInto(archive_path, folder_, limits);
  } catch (const ArchiveError& error) {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    throw ArchiveError(archive_path.string() + " is not a Zorva course file that can be opened: " + error.what());
  }
}

UnpackedCourse::~UnpackedCourse() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

}  // namespace zorva::builder
