// Appends little- and big-endian integers and fixed-size text fields to a byte buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zorva::lessonkit {

using Bytes = std::vector<uint8_t>;

class ByteWriter {
 public:
  explicit ByteWriter(Bytes& out) : out_(out) {}

  void u8(uint8_t v) { out_.push_back(v); }
  void le16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void le32(uint32_t v) {
    le16(static_cast<uint16_t>(v));
    le16(static_cast<uint16_t>(v >> 16));
  }
  void be16(uint16_t v) {
    u8(static_cast<uint8_t>(v >> 8));
    u8(static_cast<uint8_t>(v));
  }
  void be32(uint32_t v) {
    be16(static_cast<uint16_t>(v >> 16));
    be16(static_cast<uint16_t>(v));
  }
  void tag(std::string_view four) {
    for (char c : four) u8(static_cast<uint8_t>(c));
  }
  void zeros(size_t n) { out_.insert(out_.end(), n, 0); }
  void bytes(const Bytes& b) { out_.insert(out_.end(), b.begin(), b.end()); }

 private:
  Bytes& out_;
};

// Overwrites values inside an already built buffer (offsets that are known only later).
inline void putLe32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}
inline void putLe16(Bytes& b, size_t at, uint16_t v) {
  b.at(at) = static_cast<uint8_t>(v);
  b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}
// A NUL-padded text field of `size` bytes at `at`; the caller has checked that the text leaves
// room for the terminating NUL.
inline void putText(Bytes& b, size_t at, std::string_view s, size_t size) {
  for (size_t i = 0; i < size; ++i) b.at(at + i) = i < s.size() ? static_cast<uint8_t>(s[i]) : 0;
}

}  // namespace zorva::lessonkit
