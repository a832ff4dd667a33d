#include "tools/zorva-lesson/FileCalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zorva::builder {
namespace fs = std::filesystem;

namespace {

// Fails the call with `error` when the hook asked for it.
int refused(int error) {
  errno = error;
  return -1;
}

// The nearest folder above `path` that exists, or the path itself when it is a link.
fs::path nearestExisting(const fs::path& path) {
  fs::path at = path;
  struct stat st;
  while (!at.empty() && at != at.root_path() && ::lstat(at.c_str(), &st) != 0) at = at.parent_path();
  return at;
}

}  // namespace

int FileCalls::before(std::string_view, const fs::path&) { return 0; }

int FileCalls::makeFolder(const fs::path& path) {
  if (const int error = before("mkdir", path)) return refused(error);
  return ::mkdir(path.c_str(), 0755);
}

int FileCalls::createFile(const fs::path& path) {
  if (const int error = before("create", path)) return refused(error);
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

ssize_t FileCalls::write(int fd, const uint8_t* bytes, size_t size, const fs::path& path) {
  if (const int error = before("write", path)) return refused(error);
  return ::write(fd, bytes, size);
}

int FileCalls::sync(int fd, const fs::path& path) {
  if (const int error = before("sync", path)) return refused(error);
  return ::fsync(fd);
}

int FileCalls::exchange(const fs::path& a, const fs::path& b) {
  if (const int error = before("exchange", a)) return refused(error);
  return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE);
}

int FileCalls::rename(const fs::path& from, const fs::path& to) {
  if (const int error = before("rename", from)) return refused(error);
  return ::rename(from.c_str(), to.c_str());
}

int FileCalls::removeTree(const fs::path& path) {
  if (const int error = before("remove", path)) return refused(error);
  std::error_code failure;
  fs::remove_all(path, failure);
  return failure ? refused(failure.value()) : 0;
}

int FileCalls::mayChange(const fs::path& folder) {
  if (const int error = before("access", folder)) return refused(error);
  return ::access(folder.c_str(), W_OK | X_OK);
}

FileCalls& realFileCalls() {
  static FileCalls calls;
  return calls;
}

void writeNewFile(FileCalls& calls, const fs::path& path, const std::vector<uint8_t>& bytes) {
  const int fd = calls.createFile(path);
  if (fd < 0) throw FileError("can't create", errno, path);
  size_t done = 0;
  int error = 0;
  while (done < bytes.size() && error == 0) {
    const ssize_t n = calls.write(fd, bytes.data() + done, bytes.size() - done, path);
    if (n > 0) done += static_cast<size_t>(n);
    else if (n == 0) error = ENOSPC;  // a write that takes nothing has no room left
    else if (errno != EINTR) error = errno;
  }
  if (error == 0 && calls.sync(fd, path) != 0) error = errno;
  ::close(fd);
  if (error != 0) throw FileError("can't write", error, path);
}

FileError::FileError(const std::string& doing, int error, const fs::path& path)
    : FileError(doing, error, path, path.parent_path()) {}

FileError::FileError(const std::string& doing, int error, const fs::path& path, const fs::path& folder)
    : std::runtime_error(doing + " " + path.string() + ": " + causeOf(error, path, folder)) {}

std::string causeOf(int error, const fs::path& path, const fs::path& folder) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return "no space left on the device holding " + folder.string();
    case EACCES:
    case EPERM:
      return "the folder " + folder.string() + " needs write permission for you";
    case EROFS:
      return folder.string() + " is on a read-only file system";
    case ENOENT: {
      const fs::path there = nearestExisting(folder);
      return "the folder " + folder.string() + " does not exist" +
             (fs::is_symlink(there) ? " (" + there.string() + " is a link that leads nowhere)" : "");
    }
    case EEXIST:
    case ENOTDIR:
    case ELOOP: {
      const fs::path there = nearestExisting(path);
      if (fs::is_symlink(there)) return there.string() + " is a link, not a folder of its own";
      return there.string() + " is in the way: it is a file where a folder is needed";
    }
    default:
      return std::strerror(error);
  }
}

}  // namespace zorva::builder
