#include "tools/zorva-lesson/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/zorva-lesson/Descriptor.h"

namespace zorva::builder {

std::optional<FileBytes> FileBytes::read(const std::filesystem::path& path, uint64_t limit,
                                         std::string& why) {
  // Not blocking: a named pipe must not hold the checker until someone writes to it.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st;
  if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
    why = errno == ENOENT ? "is missing" : std::string("cannot be read: ") + std::strerror(errno);
    return std::nullopt;
  }
  if (S_ISDIR(st.st_mode)) {
    why = "is a folder, not a data file";
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) {
    why = "is not a regular file";
    return std::nullopt;
  }
  if (static_cast<uint64_t>(st.st_size) > limit) {
    why = "is larger than " + std::to_string(limit / (1024 * 1024)) + " MB";
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = std::string("cannot be read: ") + std::strerror(errno);
      return std::nullopt;
    }
    if (n == 0) break;  // cut short since it was measured: keep what is there
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return FileBytes(std::move(bytes));
}

std::string FileBytes::text(uint64_t at, uint64_t width) const {
  std::string out;
  for (uint64_t i = 0; i < width && at + i < bytes_.size() && bytes_[at + i] != 0; ++i) {
    out.push_back(static_cast<char>(bytes_[at + i]));
  }
  return out;
}

FileBytes::PictureSpan FileBytes::pictureRecord(uint64_t at) const {
  return {i32(at + lessonkit::kPictureOffsetAt), u32(at + lessonkit::kPictureLengthAt)};
}

lessonkit::ItemRecord FileBytes::itemRecord(uint64_t at) const {
  const auto rect = [&](uint64_t field) {
    return lessonkit::ViewRect{i16(field), i16(field + 2) - lessonkit::kStoredYOffset, i16(field + 4),
                               i16(field + 6) - lessonkit::kStoredYOffset};
  };
  lessonkit::ItemRecord item;
  item.role = rect(at + lessonkit::kItemRoleAt);
  item.audio = rect(at + lessonkit::kItemAudioAt);
  item.role_head = i16(at + lessonkit::kItemRoleHeadAt);
  item.next_in_role = i16(at + lessonkit::kItemNextInRoleAt);
  item.name = text(at + lessonkit::kItemNameAt, lessonkit::kRecordNameSize);
  item.clip_offset = u32(at + lessonkit::kItemClipOffsetAt);
  item.clip_length = u32(at + lessonkit::kItemClipLengthAt);
  return item;
}

}  // namespace zorva::builder
