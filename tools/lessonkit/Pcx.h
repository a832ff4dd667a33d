// PCX pictures as Zorva's data files hold them: 8 bits a pixel, one plane, run-length encoded
// rows of even length, and the 256-colour palette behind a 0x0C marker.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/lessonkit/ByteWriter.h"

namespace zorva::lessonkit {

// An in-memory picture of palette indices.
struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::array<uint8_t, 768> palette{};  // 256 x (red, green, blue)
  std::vector<uint8_t> pixels;          // width x height indices, top row first

  // A picture filled with one index.
  static IndexedPicture filled(int width, int height, uint8_t index);
  uint8_t& at(int x, int y) { return pixels.at(static_cast<size_t>(y) * width + x); }
  uint8_t at(int x, int y) const { return pixels.at(static_cast<size_t>(y) * width + x); }
  void setColour(uint8_t index, uint8_t red, uint8_t green, uint8_t blue);
};

constexpr size_t kPcxHeaderSize = 128;
constexpr size_t kPcxPaletteSize = 769;  // marker and 256 x 3 bytes
constexpr int kPcxMaxRun = 63;

// Bytes of one encoded row: the width rounded up to an even count, as PCX requires.
int pcxBytesPerLine(int width);

// Encodes the picture. Throws std::invalid_argument when the size is outside 1..32767 or the
// pixel count does not match.
Bytes encodePcx(const IndexedPicture& picture);

// Run-length encodes one row of file bytes: runs of up to 63, and any single byte of 0xC0 or
// more written as a run of one so that no decoder takes it for a count.
void encodePcxRow(const uint8_t* row, size_t count, Bytes& out);

}  // namespace zorva::lessonkit
