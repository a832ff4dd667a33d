#include "elements/PcxDecoder.h"

namespace zorva::elements {

namespace {

int16_t signed16(std::span<const uint8_t> d, std::size_t at) {
  return static_cast<int16_t>(static_cast<uint16_t>(d[at] | (d[at + 1] << 8)));
}

bool readHeader(std::span<const uint8_t> d, PcxPicture& pic) {
  if (d.size() < kPcxHeaderBytes) return false;
  pic.bits_per_pixel = static_cast<int8_t>(d[3]);
  pic.width = int32_t{signed16(d, 8)} - signed16(d, 4) + 1;
  pic.height = int32_t{signed16(d, 10)} - signed16(d, 6) + 1;
  pic.planes = static_cast<int8_t>(d[65]);
  pic.bytes_per_line = signed16(d, 66);
  if (pic.width < 1 || pic.height < 1 || pic.planes < 1 || pic.bytes_per_line < 1) return false;
  const int32_t bits = pic.bits_per_pixel;
  if (pic.planes != 1 || (bits != 1 && bits != 4 && bits != 8)) return false;
  const int32_t row_pixels = pic.bytes_per_line * (8 / bits);
  if (pic.width > row_pixels) pic.width = row_pixels;
  pic.stride = dibStride(pic.width, bits);
  return true;
}

// Writes stop at the buffer's end; reads report the end of the data.
class RowDecoder {
 public:
  RowDecoder(std::span<const uint8_t> data, std::vector<uint8_t>& out)
      : data_(data), out_(out) {}

  std::size_t position() const { return p_; }

  // Decodes one row that begins at `row_start` at the earliest. False when the data ran out.
  bool decodeRow(const PcxPicture& pic, std::size_t row_start) {
    if (o_ < row_start) o_ = row_start;
    int32_t col = 0;
    while (col < pic.bytes_per_line) {
      if (p_ >= data_.size()) return false;
      const uint8_t b = data_[p_++];
      if (b <= 0xC0) {
        if (stored(pic, col)) store(b, 1);
        col += 1;
        continue;
      }
      if (p_ >= data_.size()) return false;
      const uint8_t v = data_[p_++];
      const int32_t n = b - 0xC0;
      if (stored(pic, col)) store(v, static_cast<std::size_t>(n));
      col += n;
    }
    if (col < pic.stride) store(0, static_cast<std::size_t>(pic.stride - col));
    return true;
  }

 private:
  // Columns up to the width are stored, the one equal to it included (an odd-width row's pad
  // byte), as long as they lie inside the row.
  static bool stored(const PcxPicture& pic, int32_t col) {
    return col <= pic.width && col < pic.stride;
  }

  void store(uint8_t v, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i, ++o_) {
      if (o_ < out_.size()) out_[o_] = v;
    }
  }

  std::span<const uint8_t> data_;
  std::vector<uint8_t>& out_;
  std::size_t p_ = kPcxHeaderBytes;
  std::size_t o_ = 0;
};

void readPalette(std::span<const uint8_t> d, std::size_t p, PcxPicture& pic) {
  if (p >= d.size() || d[p] != kPcxPaletteMarker) return;
  if (d.size() - (p + 1) < pic.palette.size()) return;  // cut short: the table stays black
  for (std::size_t i = 0; i < pic.palette.size(); ++i) pic.palette[i] = d[p + 1 + i];
  pic.has_palette = true;
}

}  // namespace

int32_t dibStride(int32_t width, int32_t bits_per_pixel) {
  return static_cast<int32_t>((static_cast<int64_t>(width) * bits_per_pixel + 31) / 32 * 4);
}

PcxPicture decodePcx(std::span<const uint8_t> data, std::size_t max_pixel_bytes) {
  PcxPicture pic;
  if (!readHeader(data, pic)) return pic;
  const std::size_t size = static_cast<std::size_t>(pic.height) * static_cast<std::size_t>(pic.stride);
  if (size > max_pixel_bytes) {
    pic.result = PcxResult::kNoPixels;
    return pic;
  }
  pic.result = PcxResult::kDecoded;
  pic.pixels.assign(size, 0);
  RowDecoder rows(data, pic.pixels);
  for (int32_t y = 0; y < pic.height; ++y) {
    if (!rows.decodeRow(pic, static_cast<std::size_t>(y) * pic.stride)) return pic;
  }
  readPalette(data, rows.position(), pic);
  return pic;
}

}  // namespace zorva::elements
