// The file calls that writing and replacing a course make, each through one place, so a test can
// make any one of them fail (or end the process there) and see what is left on disk.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zorva::builder {

class FileCalls {
 public:
  virtual ~FileCalls() = default;

  // Each returns what the system call does (-1 with errno set on failure).
  int makeFolder(const std::filesystem::path& path);
  int createFile(const std::filesystem::path& path);  // a new file for writing, never an existing one
  ssize_t write(int fd, const uint8_t* bytes, size_t size, const std::filesystem::path& path);
  int sync(int fd, const std::filesystem::path& path);
  int exchange(const std::filesystem::path& a, const std::filesystem::path& b);
  int rename(const std::filesystem::path& from, const std::filesystem::path& to);
  int removeTree(const std::filesystem::path& path);
  // 0 when the user may add and remove names in the folder.
  int mayChange(const std::filesystem::path& folder);

 protected:
  // Called before each call with the call's name; a result other than 0 fails the call with that
  // errno instead of making it.
  virtual int before(std::string_view call, const std::filesystem::path& path);
};

FileCalls& realFileCalls();

// Writes `bytes` as the new file `path` and makes it durable; throws FileError naming the cause.
void writeNewFile(FileCalls& calls, const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// A failed file call, its message saying the cause in the learner's terms.
class FileError : public std::runtime_error {
 public:
  // "<doing> <path>: <cause>"; `folder` is the one whose rights or space matter, by default the
  // folder `path` lies in.
  FileError(const std::string& doing, int error, const std::filesystem::path& path);
  FileError(const std::string& doing, int error, const std::filesystem::path& path, const std::filesystem::path& folder);
  using std::runtime_error::runtime_error;
};

// Why a call on `path` failed with `error`: no space, the right missing on `folder`, a link, a
// folder that does not exist.
std::string causeOf(int error, const std::filesystem::path& path, const std::filesystem::path& folder);

}  // namespace zorva::builder
