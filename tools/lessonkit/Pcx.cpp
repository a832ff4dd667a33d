#include "tools/lessonkit/Pcx.h"

#include <stdexcept>

namespace zorva::lessonkit {

IndexedPicture IndexedPicture::filled(int width, int height, uint8_t index) {
  IndexedPicture p;
  p.width = width;
  p.height = height;
  if (width > 0 && height > 0) p.pixels.assign(static_cast<size_t>(width) * height, index);
  return p;
}

void IndexedPicture::setColour(uint8_t index, uint8_t red, uint8_t green, uint8_t blue) {
  palette[index * 3u] = red;
  palette[index * 3u + 1] = green;
  palette[index * 3u + 2] = blue;
}

int pcxBytesPerLine(int width) { return width + (width & 1); }

void encodePcxRow(const uint8_t* row, size_t count, Bytes& out) {
  size_t i = 0;
  while (i < count) {
    const uint8_t v = row[i];
    size_t run = 1;
    while (i + run < count && run < kPcxMaxRun && row[i + run] == v) ++run;
    if (run > 1 || v >= 0xC0) {
      out.push_back(static_cast<uint8_t>(0xC0 + run));
    }
    out.push_back(v);
    i += run;
  }
}

namespace {

void writeHeader(const IndexedPicture& p, ByteWriter& w) {
  w.u8(0x0A);  // manufacturer
  w.u8(5);     // version 3.0 and later: palette at the end
  w.u8(1);     // run-length encoding
  w.u8(8);     // bits per pixel
  w.le16(0);   // Xmin
  w.le16(0);   // Ymin
  w.le16(static_cast<uint16_t>(p.width - 1));
  w.le16(static_cast<uint16_t>(p.height - 1));
  w.le16(72);  // resolution
  w.le16(72);
  w.zeros(48);  // EGA palette, unused for 256 colours
  w.u8(0);      // reserved
  w.u8(1);      // planes
  w.le16(static_cast<uint16_t>(pcxBytesPerLine(p.width)));
  w.le16(1);  // palette type: colour
  w.zeros(kPcxHeaderSize - 70);
}

}  // namespace

Bytes encodePcx(const IndexedPicture& p) {
  if (p.width < 1 || p.width > 32767 || p.height < 1 || p.height > 32767) {
    throw std::invalid_argument("PCX picture size must be 1..32767 each way");
  }
  if (p.pixels.size() != static_cast<size_t>(p.width) * p.height) {
    throw std::invalid_argument("PCX picture: pixel count does not match width x height");
  }
  Bytes out;
  ByteWriter w(out);
  writeHeader(p, w);
  const int line = pcxBytesPerLine(p.width);
  std::vector<uint8_t> row(static_cast<size_t>(line), 0);
  for (int y = 0; y < p.height; ++y) {
    const uint8_t* src = p.pixels.data() + static_cast<size_t>(y) * p.width;
    std::copy(src, src + p.width, row.begin());
    encodePcxRow(row.data(), row.size(), out);
  }
  w.u8(0x0C);
  out.insert(out.end(), p.palette.begin(), p.palette.end());
  return out;
}

}  // namespace zorva::lessonkit
