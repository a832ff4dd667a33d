// Decoding of PCX pictures: the run-length rules, the col <= width rule and the stride, the
// palette marker, and damaged pictures that must neither crash nor read or write outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "elements/PcxDecoder.h"

using zorva::elements::decodePcx;
using zorva::elements::PcxPicture;
using zorva::elements::PcxResult;

namespace {

using Bytes = std::vector<uint8_t>;

struct Header {
  int xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  int planes = 1;
  int bits = 8;
  int bytes_per_line = 0;
};

void put16(Bytes& b, size_t at, int v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

Bytes header(const Header& h) {
  Bytes b(128, 0);
  b[0] = 0x0A;
  b[1] = 5;
  b[2] = 1;
  b[3] = static_cast<uint8_t>(h.bits);
  put16(b, 4, h.xmin);
  put16(b, 6, h.ymin);
  put16(b, 8, h.xmax);
  put16(b, 10, h.ymax);
  b[65] = static_cast<uint8_t>(h.planes);
  put16(b, 66, h.bytes_per_line);
  return b;
}

// A picture of width x height with the given encoded rows and, unless `marker` is false,
// a palette where entry i is (i, i ^ 0x55, 255 - i).
Bytes picture(int width, int height, int bytes_per_line, const Bytes& rows, bool marker = true) {
  Bytes b = header({0, 0, width - 1, height - 1, 1, 8, bytes_per_line});
  b.insert(b.end(), rows.begin(), rows.end());
  if (marker) {
    b.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
      b.push_back(static_cast<uint8_t>(i));
      b.push_back(static_cast<uint8_t>(i ^ 0x55));
      b.push_back(static_cast<uint8_t>(255 - i));
    }
  }
  return b;
}

// Rows of literal bytes 1..bytes_per_line (all below 0xC0), row y adding y.
Bytes literalRows(int height, int bytes_per_line) {
  Bytes rows;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < bytes_per_line; ++x) rows.push_back(static_cast<uint8_t>((x + y) % 0xC0));
  }
  return rows;
}

}  // namespace

TEST(PcxRunLength, LiteralAndRunBytes) {
  struct Row {
    const char* rule;
    Bytes encoded;
    Bytes pixels;  // the first row's bytes, stride 4
  };
  const std::vector<Row> rows = {
      {"0xC0 is the literal 192", {0xC0, 1, 2, 3}, {0xC0, 1, 2, 3}},
      {"0xC1 v is one v", {0xC1, 0xFE, 1, 2, 3}, {0xFE, 1, 2, 3}},
      {"0xC4 v is four v", {0xC4, 9}, {9, 9, 9, 9}},
      {"0xC2 0xC0 is two literal 192", {0xC2, 0xC0, 5, 6}, {0xC0, 0xC0, 5, 6}},
  };
  for (const Row& row : rows) {
    const PcxPicture pic = decodePcx(picture(4, 1, 4, row.encoded));
    ASSERT_EQ(pic.result, PcxResult::kDecoded) << row.rule;
    EXPECT_EQ(pic.pixels, row.pixels) << row.rule;
  }
}

TEST(PcxRunLength, RunOf63FromOxFF) {
  Bytes rows = {0xFF, 0x21, 0xC1, 0x22};  // 63 + 1 bytes
  const PcxPicture pic = decodePcx(picture(64, 1, 64, rows));
  ASSERT_EQ(pic.result, PcxResult::kDecoded);
  Bytes expected(63, 0x21);
  expected.push_back(0x22);
  EXPECT_EQ(pic.pixels, expected);
}

TEST(PcxLayout, WidthsStridesAndPadding) {
  struct Case {
    const char* name;
    int width, bytes_per_line, stride, stored;
  };
  const std::vector<Case> cases = {
      {"639 wide, 640 a line: the pad byte is kept (col <= width)", 639, 640, 640, 640},
      {"637 wide, 638 a line: two zero bytes of padding", 637, 638, 640, 638},
      {"640 wide: no padding", 640, 640, 640, 640},
      {"5 wide, 6 a line: stride 8", 5, 6, 8, 6},
  };
  for (const Case& c : cases) {
    const int height = 3;
    const PcxPicture pic = decodePcx(picture(c.width, height, c.bytes_per_line, literalRows(height, c.bytes_per_line)));
    ASSERT_EQ(pic.result, PcxResult::kDecoded) << c.name;
    EXPECT_EQ(pic.width, c.width) << c.name;
    EXPECT_EQ(pic.stride, c.stride) << c.name;
    ASSERT_EQ(pic.pixels.size(), static_cast<size_t>(height * c.stride)) << c.name;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < c.stride; ++x) {
        const uint8_t want = x < c.stored ? static_cast<uint8_t>((x + y) % 0xC0) : 0;
        ASSERT_EQ(pic.pixels[static_cast<size_t>(y) * c.stride + x], want)
            << c.name << " at " << x << "," << y;
      }
    }
    EXPECT_TRUE(pic.has_palette) << c.name << ": the marker follows the last row's data";
  }
}

TEST(PcxLayout, HeaderFieldsAndStrideRule) {
  Bytes b = header({-2, 10, 2, 11, 1, 8, 6});  // width 5, height 2 from signed minimums
  const Bytes rows = literalRows(2, 6);
  b.insert(b.end(), rows.begin(), rows.end());
  const PcxPicture pic = decodePcx(b);
  EXPECT_EQ(pic.width, 5);
  EXPECT_EQ(pic.height, 2);
  EXPECT_EQ(pic.bits_per_pixel, 8);
  EXPECT_EQ(pic.planes, 1);
  EXPECT_FALSE(pic.has_palette);
  EXPECT_EQ(zorva::elements::dibStride(4, 8), 4);
  EXPECT_EQ(zorva::elements::dibStride(5, 8), 8);
  EXPECT_EQ(zorva::elements::dibStride(33, 1), 8);
  EXPECT_EQ(zorva::elements::dibStride(9, 4), 8);
  EXPECT_EQ(zorva::elements::dibStride(1, 8), 4);
}

TEST(PcxPalette, MarkerFillsTableAndItsAbsenceLeavesItBlack) {
  const PcxPicture with = decodePcx(picture(2, 1, 2, {7, 8}));
  ASSERT_TRUE(with.has_palette);
  EXPECT_EQ(with.palette[3 * 7], 7);
  EXPECT_EQ(with.palette[3 * 7 + 1], 7 ^ 0x55);
  EXPECT_EQ(with.palette[3 * 255 + 2], 0);
  Bytes other_marker = picture(2, 1, 2, {7, 8});
  other_marker[128 + 2] = 0x0B;
  const PcxPicture without = decodePcx(other_marker);
  EXPECT_EQ(without.result, PcxResult::kDecoded);
  EXPECT_FALSE(without.has_palette);
  EXPECT_EQ(without.palette, (std::array<uint8_t, 768>{}));
  EXPECT_EQ(without.pixels, (Bytes{7, 8, 0, 0})) << "the picture still decodes";
}

TEST(PcxDamaged, UnusableHeadersGiveNoPicture) {
  struct Case {
    const char* name;
    Bytes bytes;
  };
  Bytes short_header = header({0, 0, 3, 3, 1, 8, 4});
  short_header.pop_back();
  const std::vector<Case> cases = {
      {"empty", {}},
      {"header of 127 bytes", short_header},
      {"zero width", header({5, 0, 4, 3, 1, 8, 4})},
      {"negative height", header({0, 5, 3, 0, 1, 8, 4})},
      {"zero bytes per line", header({0, 0, 3, 3, 1, 8, 0})},
      {"negative bytes per line", header({0, 0, 3, 3, 1, 8, -4})},
      {"zero planes", header({0, 0, 3, 3, 0, 8, 4})},
      {"negative planes", header({0, 0, 3, 3, -1, 8, 4})},
  };
  for (const Case& c : cases) {
    const PcxPicture pic = decodePcx(c.bytes);
    EXPECT_EQ(pic.result, PcxResult::kBadHeader) << c.name;
    EXPECT_TRUE(pic.pixels.empty()) << c.name;
  }
}

TEST(PcxDamaged, HugeHeaderIsRefusedWithoutAllocating) {
  const PcxPicture pic = decodePcx(header({0, 0, 32766, 32766, 1, 8, 32767}));
  EXPECT_EQ(pic.result, PcxResult::kNoPixels);
  EXPECT_EQ(pic.width, 32767);
  EXPECT_EQ(pic.height, 32767);
  EXPECT_TRUE(pic.pixels.empty());
  // The cap is a parameter: a 4 x 2 picture needs 8 bytes.
  EXPECT_EQ(decodePcx(picture(4, 2, 4, literalRows(2, 4)), 7).result, PcxResult::kNoPixels);
  EXPECT_EQ(decodePcx(picture(4, 2, 4, literalRows(2, 4)), 8).result, PcxResult::kDecoded);
}

TEST(PcxDamaged, RowsCutShortKeepWhatWasDecoded) {
  struct Case {
    const char* name;
    Bytes rows;
    Bytes pixels;
  };
  const std::vector<Case> cases = {
      {"no row data", {}, Bytes(8, 0)},
      {"half a row", {1, 2}, {1, 2, 0, 0, 0, 0, 0, 0}},
      {"run count without its value", {1, 2, 3, 4, 0xC3}, {1, 2, 3, 4, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const PcxPicture pic = decodePcx(picture(4, 2, 4, c.rows, false));
    ASSERT_EQ(pic.result, PcxResult::kDecoded) << c.name;
    EXPECT_EQ(pic.pixels, c.pixels) << c.name;
    EXPECT_FALSE(pic.has_palette) << c.name;
  }
}

TEST(PcxDamaged, RunsCrossingTheEndStopAtTheBuffer) {
  // A run of 63 starting in the last row of a 4 x 2 picture: only 4 bytes fit.
  const PcxPicture pic = decodePcx(picture(4, 2, 4, {1, 2, 3, 4, 0xFF, 9}));
  ASSERT_EQ(pic.result, PcxResult::kDecoded);
  EXPECT_EQ(pic.pixels, (Bytes{1, 2, 3, 4, 9, 9, 9, 9}));
  EXPECT_TRUE(pic.has_palette);
  // A run crossing a middle row's end runs on into the next row, which continues behind it.
  const PcxPicture spill = decodePcx(picture(4, 3, 4, {0xC6, 5, 1, 2, 3, 4, 6, 7}));
  EXPECT_EQ(spill.pixels, (Bytes{5, 5, 5, 5, 5, 5, 1, 2, 3, 4, 6, 7}));
}

TEST(PcxDamaged, PaletteCutShortLeavesTableBlack) {
  Bytes b = picture(2, 1, 2, {7, 8});
  b.pop_back();
  const PcxPicture pic = decodePcx(b);
  EXPECT_EQ(pic.result, PcxResult::kDecoded);
  EXPECT_FALSE(pic.has_palette);
  EXPECT_EQ(pic.palette, (std::array<uint8_t, 768>{}));
}

TEST(PcxLayout, LongLinesStartEachRowAtItsOwnPlace) {
  // 3 wide with 8 bytes a line: the stride is the bitmap's (4), column 3 is the pad byte, the
  // bytes beyond are dropped, and each row starts at a multiple of the stride.
  const PcxPicture pic = decodePcx(picture(3, 2, 8, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18}));
  ASSERT_EQ(pic.stride, 4);
  EXPECT_EQ(pic.pixels, (Bytes{1, 2, 3, 4, 11, 12, 13, 14}));
}

// The pixel buffer always holds height x the stride its bitmap description implies: the
// picture is shown as wide as its rows reach, and kinds it cannot be shown as give no picture.
TEST(PcxLayout, BufferAgreesWithTheDescription) {
  struct Case {
    const char* name;
    int width, bits, planes, bytes_per_line;
    PcxResult result;
    int shown_width, stride;
  };
  const std::vector<Case> cases = {
      {"8 bits, rows as long as the width", 6, 8, 1, 6, PcxResult::kDecoded, 6, 8},
      {"8 bits, rows of 1 byte for 30000 pixels: 1 pixel wide", 30000, 8, 1, 1, PcxResult::kDecoded, 1, 4},
      {"8 bits, 740 wide with 256-byte rows", 740, 8, 1, 256, PcxResult::kDecoded, 256, 256},
      {"4 bits, 2-byte rows hold 4 pixels", 9, 4, 1, 2, PcxResult::kDecoded, 4, 4},
      {"1 bit, 5-byte rows hold all 33 pixels", 33, 1, 1, 5, PcxResult::kDecoded, 33, 8},
      {"24 bits claimed", 4, 24, 1, 12, PcxResult::kBadHeader, 0, 0},
      {"32 bits claimed", 4, 32, 1, 16, PcxResult::kBadHeader, 0, 0},
      {"three planes of 8 bits", 4, 8, 3, 4, PcxResult::kBadHeader, 0, 0},
      {"2 bits", 4, 2, 1, 4, PcxResult::kBadHeader, 0, 0},
  };
  for (const Case& c : cases) {
    const int height = 2;
    Bytes b = header({0, 0, c.width - 1, height - 1, c.planes, c.bits, c.bytes_per_line});
    const Bytes rows = literalRows(height * c.planes, c.bytes_per_line);
    b.insert(b.end(), rows.begin(), rows.end());
    const PcxPicture pic = decodePcx(b);
    ASSERT_EQ(pic.result, c.result) << c.name;
    if (c.result != PcxResult::kDecoded) continue;
    EXPECT_EQ(pic.width, c.shown_width) << c.name;
    EXPECT_EQ(pic.stride, c.stride) << c.name;
    EXPECT_EQ(pic.stride, zorva::elements::dibStride(pic.width, pic.bits_per_pixel)) << c.name;
    ASSERT_EQ(pic.pixels.size(), static_cast<size_t>(height * c.stride)) << c.name;
    const int kept = std::min(c.bytes_per_line, c.stride);
    for (int x = 0; x < kept; ++x)
      EXPECT_EQ(pic.pixels[c.stride + x], static_cast<uint8_t>((x + 1) % 0xC0)) << c.name << " row 1 at " << x;
  }
}

namespace {

// A picture keeps the buffer its rows were decoded into: it holds what the decoded picture
// holds, for whole, damaged and sheared rows alike, and nothing over the cap.
TEST(PcxKept, TheKeptBufferHoldsTheDecodedRows) {
  struct Case {
    const char* name;
    Bytes data;
    size_t cap;
  };
  const Case cases[] = {
      {"a run crossing the buffer's end", picture(4, 2, 4, {1, 2, 3, 4, 0xFF, 9}), zorva::elements::kPcxMaxPixelBytes},
      {"a run spilling into the next row", picture(4, 3, 4, {0xC6, 5, 1, 2, 3, 4, 6, 7}), zorva::elements::kPcxMaxPixelBytes},
      {"long lines", picture(3, 2, 8, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18}), zorva::elements::kPcxMaxPixelBytes},
      {"rows cut short", picture(4, 2, 4, {1, 2, 3, 4, 0xC3}, false), zorva::elements::kPcxMaxPixelBytes},
      {"over the cap", picture(4, 2, 4, {1, 2, 3, 4}), 4},
  };
  for (const Case& c : cases) {
    const PcxPicture decoded = decodePcx(c.data, c.cap);
    std::unique_ptr<uint8_t[]> kept;
    const PcxPicture described = decodePcx(c.data, kept, c.cap);
    EXPECT_EQ(described.result, decoded.result) << c.name;
    EXPECT_EQ(described.palette, decoded.palette) << c.name;
    EXPECT_TRUE(described.pixels.empty()) << c.name;
    if (decoded.result != PcxResult::kDecoded) {
      EXPECT_EQ(kept, nullptr) << c.name;
      continue;
    }
    ASSERT_NE(kept, nullptr) << c.name;
    EXPECT_EQ(Bytes(kept.get(), kept.get() + decoded.pixels.size()), decoded.pixels) << c.name;
  }
}

}  // namespace

namespace {

// Rows far from the buffer's end are written in whole blocks; what a block writes beyond a run
// or stretch must be written over by the bytes that follow, a sheared row's included.
TEST(PcxKept, WideRowsKeepEveryByteInPlace) {
  const Bytes row = {0xFF, 9, 1, 2, 0xC3, 7, 0xFF, 4, 0xFF, 5, 0xFF, 6, 0xF6, 3};
  Bytes rows;
  for (int i = 0; i < 3; ++i) rows.insert(rows.end(), row.begin(), row.end());
  // Each row decodes to 311 bytes (the last run crosses the 300-byte line), so each next row
  // starts 11 bytes later: the buffer holds the first 900 of three decoded rows in a line.
  Bytes one;
  const std::pair<int, int> parts[] = {{63, 9}, {1, 1}, {1, 2}, {3, 7}, {63, 4}, {63, 5}, {63, 6}, {54, 3}};
  for (auto [count, value] : parts)
    one.insert(one.end(), count, static_cast<uint8_t>(value));
  Bytes expected;
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), one.begin(), one.end());
  expected.resize(900);
  std::unique_ptr<uint8_t[]> kept;
  const PcxPicture pic = decodePcx(picture(300, 3, 300, rows), kept);
  ASSERT_EQ(pic.result, PcxResult::kDecoded);
  ASSERT_EQ(pic.stride, 300);
  EXPECT_EQ(Bytes(kept.get(), kept.get() + 900), expected);
}

}  // namespace
