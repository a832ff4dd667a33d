#include "platform/win32/audio/WaveImage.h"

#include <cstring>

namespace zorva::platform {
namespace {
uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

bool readFormat(const uint8_t* body, uint64_t len, AudioFormat& format) {
  if (len < 16) return false;
  const uint16_t tag = le16(body);
  const uint16_t channels = le16(body + 2);
  const uint32_t rate = le32(body + 4);
  const uint16_t block_align = le16(body + 12);
  const uint16_t bits = le16(body + 14);
  if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return false;
  if (rate == 0 || rate > 1'000'000 || block_align != channels * bits / 8) return false;
  format.rate_hz = static_cast<int>(rate);
  format.channels = channels;
  format.bits = bits;
  return true;
}
}  // namespace

bool parseWaveImage(const void* image, WaveImage& out) {
  if (image == nullptr) return false;
  const auto* p = static_cast<const uint8_t*>(image);
  if (std::memcmp(p, "RIFF", 4) != 0) return false;
  const uint64_t end = 8 + uint64_t(le32(p + 4));  // one past the image's last byte
  if (end < 12 || std::memcmp(p + 8, "WAVE", 4) != 0) return false;
  bool have_format = false;
  bool have_data = false;
  WaveImage found;
  uint64_t at = 12;
  while (at + 8 <= end) {  // every turn moves on by at least 8 bytes
    const uint8_t* chunk = p + at;
    const uint64_t len = le32(chunk + 4);
    const uint64_t body = at + 8;
    const uint64_t available = end - body;
    if (std::memcmp(chunk, "fmt ", 4) == 0 && !have_format) {
      if (len > available || !readFormat(p + body, len, found.format)) return false;
      have_format = true;
    } else if (std::memcmp(chunk, "data", 4) == 0 && !have_data) {
      // A data chunk claiming more than the image holds plays what the image holds.
      found.samples = p + body;
      found.sample_bytes = static_cast<size_t>(len < available ? len : available);
      have_data = true;
    }
    at = body + len + (len & 1);  // chunks are padded to even sizes
  }
  if (!have_format || !have_data) return false;
  const size_t frame = size_t(found.format.channels) * size_t(found.format.bits / 8);
  found.sample_bytes -= found.sample_bytes % frame;
  out = found;
  return true;
}

}  // namespace zorva::platform
