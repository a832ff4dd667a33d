#include "tools/zorva-lesson/PictureCheck.h"

#include <optional>

namespace zorva::builder {
namespace {

constexpr uint64_t kHeaderBytes = 128;
constexpr uint64_t kPaletteBytes = 769;  // the 0x0C marker and 256 colours

struct Header {
  int64_t width, height, bits, planes, bytes_per_line;
};

Header readHeader(const FileBytes& bytes, uint64_t offset) {
  return Header{bytes.i16(offset + 8) - bytes.i16(offset + 4) + 1, bytes.i16(offset + 10) - bytes.i16(offset + 6) + 1,
                bytes.i8(offset + 3), bytes.i8(offset + 65), bytes.i16(offset + 66)};
}

// Walks the run-length coded rows as Zorva decodes them and returns where the palette must
// start; reports a run that crosses the end of a row, and rows that run out of data (then
// there is no palette to look for).
std::optional<uint64_t> walkRows(const FileBytes& bytes, uint64_t offset, uint64_t length, const Header& h,
                  std::vector<PictureFault>& faults) {
  uint64_t p = kHeaderBytes;
  bool crossed = false;
  for (int64_t row = 0; row < h.height; ++row) {
    for (int64_t col = 0; col < h.bytes_per_line;) {
      const uint64_t at = p;
      const uint8_t b = bytes.u8(offset + p);
      int64_t count = 1;
      if (b > 0xC0) {
        count = b - 0xC0;
        ++p;
      }
      if (p >= length) {
        faults.push_back({offset + length, "picture data ends in row " + std::to_string(row)});
        return std::nullopt;
      }
      ++p;
      if (col + count > h.bytes_per_line && !crossed) {
        faults.push_back({offset + at, "a run crosses the end of row " + std::to_string(row)});
        crossed = true;
      }
      col += count;
    }
  }
  return p;
}

}  // namespace

PictureReport checkPicture(const FileBytes& bytes, uint64_t offset, uint64_t length) {
  PictureReport report;
  auto fault = [&report](uint64_t at, const std::string& what) { report.faults.push_back({at, what}); };
  if (length < kHeaderBytes) {
    fault(offset, "picture data is shorter than a PCX header");
    return report;
  }
  const Header h = readHeader(bytes, offset);
  report.width = h.width;
  report.height = h.height;
  report.summary = std::to_string(h.width) + "x" + std::to_string(h.height) + " (" + std::to_string(length) +
                   " bytes, " + std::to_string(h.bits) + " bits, " + std::to_string(h.planes) + " plane(s))";
  if (h.width <= 0 || h.height <= 0) {
    fault(offset + 4, "picture size is zero or negative");
    return report;
  }
  if (h.bits != 8 || h.planes != 1) {
    fault(offset + 3, "not an 8-bit picture of one plane: Zorva shows no other kind");
    return report;
  }
  if (h.bytes_per_line <= 0) {
    fault(offset + 66, "bytes per line is zero or negative");
    return report;
  }
  const uint64_t stride = (static_cast<uint64_t>(h.bytes_per_line) + 3) / 4 * 4;
  if (stride < static_cast<uint64_t>(h.width)) {
    fault(offset + 66, "rows of " + std::to_string(h.bytes_per_line) + " bytes are shorter than the picture's width");
  }
  const uint64_t pixel_bytes = stride * static_cast<uint64_t>(h.height);
  if (pixel_bytes > kMaxPictureBytes) {
    fault(offset + 4, "the pixels would take " + std::to_string(pixel_bytes / (1024 * 1024)) +
                          " MB, more than Zorva's " + std::to_string(kMaxPictureBytes / (1024 * 1024)) + " MB for a picture");
    return report;
  }
  const std::optional<uint64_t> palette = walkRows(bytes, offset, length, h, report.faults);
  if (palette && (*palette + kPaletteBytes > length || bytes.u8(offset + *palette) != 0x0C)) {
    fault(offset + *palette, "no 256-colour palette right after the picture's rows");
  }
  return report;
}

}  // namespace zorva::builder
