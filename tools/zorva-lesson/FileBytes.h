// A whole data file in memory with bounds-checked little-endian reads: a read that would pass
// the end yields zero bytes there, so a damaged file can be reported, never overrun.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/lessonkit/Records.h"

namespace zorva::builder {

// No data file the builder writes comes near this; a larger one is reported, not read.
constexpr uint64_t kMaxDataFileBytes = 128ull * 1024 * 1024;

class FileBytes {
 public:
  // Reads a regular file of at most `limit` bytes. A folder, a device, a pipe, a larger file or
  // a failed read gives nullopt, with the reason in `why`.
  static std::optional<FileBytes> read(const std::filesystem::path& path, uint64_t limit,
                                       std::string& why);
  explicit FileBytes(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  uint64_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  uint8_t u8(uint64_t at) const { return at < bytes_.size() ? bytes_[at] : 0; }
  int8_t i8(uint64_t at) const { return static_cast<int8_t>(u8(at)); }
  int16_t i16(uint64_t at) const { return static_cast<int16_t>(u8(at) | (u8(at + 1) << 8)); }
  uint32_t u32(uint64_t at) const {
    return u8(at) | (u8(at + 1) << 8) | (u8(at + 2) << 16) | (static_cast<uint32_t>(u8(at + 3)) << 24);
  }
  int32_t i32(uint64_t at) const { return static_cast<int32_t>(u32(at)); }
  // Bytes up to the first NUL within a field of `width` bytes.
  std::string text(uint64_t at, uint64_t width) const;

  // The records of Zorva's data files, read field by field as tools/lessonkit/FileLayout.h
  // places them.
  struct PictureSpan {
    int32_t offset = 0;
    uint32_t length = 0;
  };
  PictureSpan pictureRecord(uint64_t at) const;
  // With its y values back in view coordinates.
  lessonkit::ItemRecord itemRecord(uint64_t at) const;

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace zorva::builder
