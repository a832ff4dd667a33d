#include "tools/lessonkit/Aiff.h"

#include <stdexcept>

namespace zorva::lessonkit {

namespace {

// 22,050 as an 80-bit IEEE extended value: exponent 16383 + 14, mantissa 22050 << 49.
void writeRate(ByteWriter& w) {
  w.be16(0x400D);
  w.be32(0xAC440000u);
  w.be32(0);
}

}  // namespace

Bytes encodeAiff(std::span<const int16_t> samples) {
  const uint64_t data_bytes = samples.size() * 2ull;
  if (data_bytes > 0x7FFFFFFFull - kAiffHeaderSize) {
    throw std::invalid_argument("AIFF clip too long");
  }
  const auto data = static_cast<uint32_t>(data_bytes);
  Bytes out;
  out.reserve(kAiffHeaderSize + data);
  ByteWriter w(out);
  w.tag("FORM");
  w.be32(static_cast<uint32_t>(kAiffHeaderSize) - 8 + data);
  w.tag("AIFF");
  w.tag("COMM");
  w.be32(18);
  w.be16(1);                                   // channels
  w.be32(static_cast<uint32_t>(samples.size()));  // sample frames
  w.be16(16);                                  // bits per sample
  writeRate(w);
  w.tag("SSND");
  w.be32(6 + data);  // offset field, the shortened block size field and the samples
  w.be32(0);         // offset
  w.be16(0);         // block size, cut short
  for (int16_t s : samples) w.be16(static_cast<uint16_t>(s));
  return out;
}

}  // namespace zorva::lessonkit
