#include "tools/zorva-lesson/FolderSwap.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace zorva::builder {
namespace fs = std::filesystem;

namespace {

// A folder set aside by the fallback swap ends so; it is the old folder, whole.
constexpr const char* kAsideSuffix = "-old";

bool isThere(const fs::path& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// Whether `name` is `prefix` followed by a process number, and perhaps the aside ending.
bool isStagingName(const std::string& name, const std::string& prefix) {
  if (name.rfind(prefix, 0) != 0) return false;
  std::string rest = name.substr(prefix.size());
  if (rest.size() > 4 && rest.ends_with(kAsideSuffix)) rest.resize(rest.size() - 4);
  return !rest.empty() && std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Makes `folder` and the folders above it that are missing.
void makeFolders(FileCalls& calls, const fs::path& folder) {
  if (folder.empty() || isThere(folder)) {
    if (!folder.empty() && !fs::is_directory(folder)) throw FileError("can't use", ENOTDIR, folder, folder);
    return;
  }
  makeFolders(calls, folder.parent_path());
  if (calls.makeFolder(folder) != 0) throw FileError("can't create", errno, folder);
}

}  // namespace

FolderSwap::FolderSwap(fs::path target, std::string staging_prefix, std::string what, FileCalls& calls)
    : target_(std::move(target)), prefix_(std::move(staging_prefix)), what_(std::move(what)), calls_(calls) {
  const fs::path parent = target_.parent_path();
  makeFolders(calls_, parent);
  lock();
  tidyStaging();
  if (calls_.mayChange(parent) != 0) throw FileError("can't replace " + what_ + " in", errno, parent, parent);
  if (fs::is_directory(fs::symlink_status(target_))) checkRemovable(target_);
  staging_ = parent / (prefix_ + std::to_string(::getpid()));
  if (calls_.makeFolder(staging_) != 0) throw FileError("can't create", errno, staging_);
}

FolderSwap::~FolderSwap() {
  if (!committed_ && !staging_.empty()) calls_.removeTree(staging_);
}

FolderSwap::LockFile::~LockFile() {
  if (fd >= 0) ::close(fd);
}

void FolderSwap::lock() {
  std::string name = target_.filename().string();
  name.insert(0, 1, '.');
  const fs::path file = target_.parent_path() / (name + ".lock");
  lock_.fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (lock_.fd < 0) throw FileError("can't create the lock", errno, file);
  if (::flock(lock_.fd, LOCK_EX | LOCK_NB) != 0) {
    throw FileError("can't replace " + what_ + ": another zorva-lesson is installing or building into " +
                    target_.parent_path().string() + " right now (it holds the lock " + file.string() +
                    "); try again when it has finished");
  }
}

// Under the lock no other run is writing, so every staging folder is one a run left behind.
void FolderSwap::tidyStaging() {
  std::vector<fs::path> left;
  std::error_code error;
  for (fs::directory_iterator it(target_.parent_path(), error), end; !error && it != end; it.increment(error)) {
    if (isStagingName(it->path().filename().string(), prefix_)) left.push_back(it->path());
  }
  for (const fs::path& folder : left) {
    if (folder.string().ends_with(kAsideSuffix) && !isThere(target_)) {
      calls_.rename(folder, target_);  // killed between the two renames: the old one goes back
    }
  }
  for (const fs::path& folder : left) {
    if (isThere(folder)) calls_.removeTree(folder);
  }
}

// The old folder is removed after the swap; a folder in it that the user may not change would
// leave it half removed, so the swap is refused before anything is touched.
void FolderSwap::checkRemovable(const fs::path& folder) {
  if (calls_.mayChange(folder) != 0) {
    throw FileError("can't replace " + what_ + " (nothing was changed): its folder", errno, folder, folder);
  }
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (fs::is_directory(it->symlink_status())) checkRemovable(it->path());
  }
}

std::string FolderSwap::commit() {
  const fs::path parent = target_.parent_path();
  if (const int fd = ::open(staging_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
    calls_.sync(fd, staging_);
    ::close(fd);
  }
  fs::path old = staging_;
  if (!isThere(target_)) {
    if (calls_.rename(staging_, target_) != 0) throw FileError("can't move the new " + what_ + " to", errno, target_);
  } else if (calls_.exchange(staging_, target_) != 0) {
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
      throw FileError("can't exchange the new " + what_ + " with", errno, target_);
    }
    // The file system cannot exchange: the old one is set aside, and put back if the new one fails.
    old = parent / (prefix_ + std::to_string(::getpid()) + kAsideSuffix);
    if (calls_.rename(target_, old) != 0) throw FileError("can't set aside", errno, target_);
    if (calls_.rename(staging_, target_) != 0) {
      const int error = errno;
      calls_.rename(old, target_);
      throw FileError("can't move the new " + what_ + " to", error, target_);
    }
  }
  committed_ = true;
  if (calls_.removeTree(old) != 0) {
    return "the old " + what_ + " is left in " + old.string() + " (" + causeOf(errno, old, old) +
           "); the next run removes it";
  }
  return "";
}

}  // namespace zorva::builder
