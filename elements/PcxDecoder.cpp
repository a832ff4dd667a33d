#include "elements/PcxDecoder.h"

#include <algorithm>
#include <cstring>

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

// Decodes rows into a buffer of `size` bytes, writing every byte of it: runs are fills,
// stretches of literal bytes are copies, and bytes no row reaches are zero. The bounds are
// settled once a row: far from the buffer's end a row writes unchecked, and short runs and
// stretches are written as whole blocks of kBlock bytes, whose excess lies behind the write
// position and is written over later (every byte there is written again before the end).
// Writes stop at the buffer's end; reads report the end of the data.
class RowDecoder {
 public:
  RowDecoder(std::span<const uint8_t> data, uint8_t* out, std::size_t size)
      : data_(data), out_(out), size_(size) {}

  std::size_t position() const { return p_; }

  // Decodes one row that begins at `row_start` at the earliest. False when the data ran out.
  bool decodeRow(const PcxPicture& pic, std::size_t row_start) {
    if (o_ < row_start) {
      zero(row_start);
      o_ = row_start;
    }
    // A row writes at most a stride of bytes and the rest of a run of 63 that starts inside
    // it, and a block may reach kBlock bytes beyond.
    const std::size_t room = size_ - std::min(size_, o_);
    const bool near_end = room < static_cast<std::size_t>(pic.stride) + 63 + kBlock;
    return near_end ? rowBytes<true>(pic) : rowBytes<false>(pic);
  }

  // Bytes behind the last one written are zero.
  void finish() { zero(size_); }

 private:
  static constexpr std::size_t kBlock = 64;  // longer than any run (63)

  template <bool kChecked>
  bool rowBytes(const PcxPicture& pic) {
    // Positions and the row's sizes are kept in locals: the output bytes could alias the
    // members and the picture's fields, which would be read again after every store.
    const uint8_t* const data = data_.data();
    const std::size_t data_size = data_.size();
    uint8_t* const out = out_;
    const int32_t bytes_per_line = pic.bytes_per_line;
    std::size_t p = p_;
    std::size_t o = o_;
    // Columns below the limit are stored: up to the width, the one equal to it included (an
    // odd-width row's pad byte), as long as they lie inside the row.
    const int32_t limit = std::min(pic.width + 1, pic.stride);
    int32_t col = 0;
    bool complete = true;
    while (col < bytes_per_line) {
      if (p >= data_size) {
        complete = false;
        break;
      }
      const uint8_t b = data[p];
      if (b <= 0xC0) {
        // A stretch of literal bytes, as far as the row and the data go.
        const std::size_t most = std::min<std::size_t>(data_size - p, static_cast<std::size_t>(bytes_per_line - col));
        std::size_t k = 1;
        while (k < most && data[p + k] <= 0xC0) ++k;
        if (col < limit) {
          const std::size_t n = std::min<std::size_t>(k, static_cast<std::size_t>(limit - col));
          if (kChecked) copyChecked(o, data + p, n);
          else if (n <= kBlock && data_size - p >= kBlock) std::memcpy(out + o, data + p, kBlock);
          else std::memcpy(out + o, data + p, n);
          o += n;
        }
        p += k;
        col += static_cast<int32_t>(k);
        continue;
      }
      if (++p >= data_size) {
        complete = false;
        break;
      }
      const uint8_t v = data[p++];
      const int32_t n = b - 0xC0;
      if (col < limit) {
        if (kChecked) fillChecked(o, v, static_cast<std::size_t>(n));
        else std::memset(out + o, v, kBlock);
        o += static_cast<std::size_t>(n);
      }
      col += n;
    }
    if (complete && col < pic.stride) {
      const auto pad = static_cast<std::size_t>(pic.stride - col);
      fillChecked(o, 0, pad);
      o += pad;
    }
    p_ = p;
    o_ = o;
    return complete;
  }

  void fillChecked(std::size_t o, uint8_t v, std::size_t n) {
    if (o < size_) std::memset(out_ + o, v, std::min(n, size_ - o));
  }

  void copyChecked(std::size_t o, const uint8_t* from, std::size_t n) {
    if (o < size_) std::memcpy(out_ + o, from, std::min(n, size_ - o));
  }

  void zero(std::size_t end) {
    if (o_ < end && o_ < size_) std::memset(out_ + o_, 0, std::min(end, size_) - o_);
  }

  std::span<const uint8_t> data_;
  uint8_t* out_;
  std::size_t size_;
  std::size_t p_ = kPcxHeaderBytes;
  std::size_t o_ = 0;
};

void readPalette(std::span<const uint8_t> d, std::size_t p, PcxPicture& pic) {
  if (p >= d.size() || d[p] != kPcxPaletteMarker) return;
  if (d.size() - (p + 1) < pic.palette.size()) return;  // cut short: the table stays black
  for (std::size_t i = 0; i < pic.palette.size(); ++i) pic.palette[i] = d[p + 1 + i];
  pic.has_palette = true;
}

// Reads the header and, when its pixels may be had, decodes the rows into the buffer that
// `allocate` gives for the picture's size, then the palette behind them.
template <typename Allocate>
PcxPicture decodeInto(std::span<const uint8_t> data, std::size_t max_pixel_bytes, Allocate allocate) {
  PcxPicture pic;
  if (!readHeader(data, pic)) return pic;
  const std::size_t size = static_cast<std::size_t>(pic.height) * static_cast<std::size_t>(pic.stride);
  if (size > max_pixel_bytes) {
    pic.result = PcxResult::kNoPixels;
    return pic;
  }
  pic.result = PcxResult::kDecoded;
  RowDecoder rows(data, allocate(size), size);
  for (int32_t y = 0; y < pic.height; ++y) {
    if (!rows.decodeRow(pic, static_cast<std::size_t>(y) * pic.stride)) {
      rows.finish();
      return pic;
    }
  }
  rows.finish();
  readPalette(data, rows.position(), pic);
  return pic;
}

}  // namespace

int32_t dibStride(int32_t width, int32_t bits_per_pixel) {
  return static_cast<int32_t>((static_cast<int64_t>(width) * bits_per_pixel + 31) / 32 * 4);
}

PcxPicture decodePcx(std::span<const uint8_t> data, std::size_t max_pixel_bytes) {
  std::vector<uint8_t> pixels;
  PcxPicture pic = decodeInto(data, max_pixel_bytes, [&](std::size_t size) {
    pixels.resize(size);
    return pixels.data();
  });
  pic.pixels = std::move(pixels);
  return pic;
}

PcxPicture decodePcx(std::span<const uint8_t> data, std::unique_ptr<uint8_t[]>& pixels,
                     std::size_t max_pixel_bytes) {
  pixels.reset();
  return decodeInto(data, max_pixel_bytes, [&](std::size_t size) {
    pixels.reset(new uint8_t[size]);  // every byte is written by the decoder
    return pixels.get();
  });
}

}  // namespace zorva::elements
