// A course as one file (NAME.zorva): a gzip-compressed tar archive holding the ZORVADAT folder
// and the plain files directly inside it, nothing else. Described once here for the packer, the
// unpacker and their tests.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "tools/zorva-lesson/FileBytes.h"

struct archive;

namespace zorva::builder {

inline constexpr char kCourseFileExtension[] = ".zorva";
// Registered by the package (shared-mime-info) so that a double click opens the course.
inline constexpr char kCourseMimeType[] = "application/x-zorva-course";

// What an archive may hold before it is refused; an archive over any of them is damaged or
// hostile, since no course comes near them.
struct ArchiveLimits {
  uint64_t members = 1024;
  uint64_t member_bytes = kMaxDataFileBytes;  // Zorva's loaders read no larger file
  uint64_t total_bytes = 1024ull * 1024 * 1024;
  // Pictures and clips shrink to a half or a third; a member that grows a hundredfold from the
  // archive's bytes is a bomb. Small archives get an allowance, so a near-empty page passes.
  uint64_t growth_factor = 100;
  uint64_t growth_allowance_bytes = 16ull * 1024 * 1024;
};
inline constexpr ArchiveLimits kArchiveLimits{};

enum class MemberKind { File, Folder, Other };

// One member as its header describes it.
struct MemberHeader {
  std::string path;
  MemberKind kind = MemberKind::Other;
  std::string link_target;  // a symbolic or hard link's target; empty for anything else
  int64_t size_bytes = 0;
};

// Why a member may not be unpacked, or nullopt when it is ZORVADAT itself or a plain file
// directly inside it, within the size limit.
std::optional<std::string> memberRefusal(const MemberHeader& member, const ArchiveLimits& limits);

// The member's name inside ZORVADAT ("" for the folder itself); only for members memberRefusal
// accepts.
std::string memberFileName(const std::string& path);

// libarchive's last message for `handle`, never null.
std::string archiveErrorText(::archive* handle);

// An archive that cannot be written or read as a course; what() is the message for the user.
class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zorva::builder
