// Decoding of the PCX pictures in Zorva's data files into top-down rows padded to a multiple
// of 4 bytes, the layout the device-independent-bitmap call takes. Pure: bytes in, picture out,
// so every rule about damaged pictures is tested without files or a screen.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace zorva::elements {

constexpr std::size_t kPcxHeaderBytes = 128;
constexpr uint8_t kPcxPaletteMarker = 0x0C;
// Largest pixel buffer a picture may claim; the screen pictures are about 1 MB. A header that
// claims more (32767 x 32767 would be 1 GB) is treated as a pixel buffer that cannot be had.
constexpr std::size_t kPcxMaxPixelBytes = 32u * 1024 * 1024;

enum class PcxResult {
  kBadHeader,   // shorter than 128 bytes, or a size, plane count or line length below 1, or a
                // kind the picture cannot be shown as: several planes, or other than 1, 4 or
                // 8 bits a pixel
  kNoPixels,    // the header is usable but its pixel buffer is over the cap
  kDecoded,     // rows decoded (as far as the data goes; missing rows stay zero)
};

// The picture is shown as a device-independent bitmap of `width` x `height` pixels of
// `bits_per_pixel` in one plane, and its pixel buffer is laid out with exactly the stride that
// such a description implies (dibStride), so no reader of the description walks past it.
struct PcxPicture {
  PcxResult result = PcxResult::kBadHeader;
  int32_t width = 0;           // the header's width, cut to what one file row holds
  int32_t height = 0;
  int16_t planes = 0;          // sign-extended from the header byte
  int16_t bits_per_pixel = 0;  // sign-extended from the header byte
  int32_t bytes_per_line = 0;
  int32_t stride = 0;          // dibStride(width, bits_per_pixel)
  bool has_palette = false;    // a complete palette followed the 0x0C marker
  std::array<uint8_t, 768> palette{};  // red, green, blue per entry; zero without a palette
  std::vector<uint8_t> pixels;         // height x stride bytes when decoded
};

// Bytes of one row of a device-independent bitmap: width x bits rounded up to whole 32-bit words.
int32_t dibStride(int32_t width, int32_t bits_per_pixel);

// Decodes `data` (the picture's bytes: header, rows, palette). Every read stays inside `data`,
// every write inside height x stride bytes. Rows cut short leave the rest of the picture zero;
// a row that starts behind where the previous one ended (bytes per line above width + 1)
// starts at its own place instead, so such a picture is not sheared. A header whose rows are
// shorter than its width (bytes per line below width x bits / 8) gives a picture only as wide
// as its rows: what lies right of it is the page's white.
PcxPicture decodePcx(std::span<const uint8_t> data, std::size_t max_pixel_bytes = kPcxMaxPixelBytes);
// The same for a keeper of the pixels: the rows are decoded straight into a buffer of
// height x stride bytes made with new[] and handed over in `pixels` (null unless decoded);
// the picture's own `pixels` stays empty.
PcxPicture decodePcx(std::span<const uint8_t> data, std::unique_ptr<uint8_t[]>& pixels,
                     std::size_t max_pixel_bytes = kPcxMaxPixelBytes);

}  // namespace zorva::elements
