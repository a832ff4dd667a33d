// Model clips as page files hold them: a 52-byte AIFF header and 16-bit big-endian samples.
#pragma once

#include <cstdint>
#include <span>

#include "tools/lessonkit/ByteWriter.h"

namespace zorva::lessonkit {

// Zorva takes the samples from byte 52 of a clip.
constexpr size_t kAiffHeaderSize = 52;
constexpr uint32_t kClipRateHz = 22050;

// FORM/AIFF with a COMM chunk (mono, 16 bits, 22,050 Hz) and an SSND chunk whose block size
// field (always 0) is cut to two bytes, so that the samples start at byte 52 where Zorva reads
// them; a full SSND header would put them at 54. Chunk sizes add up, so a chunk walker still
// finds the end of the file.
Bytes encodeAiff(std::span<const int16_t> samples);

}  // namespace zorva::lessonkit
