// The PCX writer: run-length rules, header fields, and the pictures it writes read back
// identically by Zorva's decoder and by an independent one (ImageMagick).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "elements/PcxDecoder.h"
#include "tests/support/TempFolder.h"
#include "tools/lessonkit/Pcx.h"

namespace lk = zorva::lessonkit;

namespace {

lk::IndexedPicture gradient(int width, int height) {
  lk::IndexedPicture p = lk::IndexedPicture::filled(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Runs (x / 5) mixed with values of 0xC0 and more, distinct per row.
      p.at(x, y) = static_cast<uint8_t>((x / 5) * 37 + y * 11 + 0xB0);
    }
  }
  for (int i = 0; i < 256; ++i) {
    p.setColour(static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                static_cast<uint8_t>(i * 3));
  }
  return p;
}

uint16_t le16(const lk::Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

}  // namespace

TEST(PcxEncoder, RowRunLengthRules) {
  struct Row {
    const char* rule;
    std::vector<uint8_t> in;
    std::vector<uint8_t> out;
  };
  const std::vector<Row> rows = {
      {"low literal stays a byte", {0x05}, {0x05}},
      {"0xC0 is escaped as a run of one", {0xC0}, {0xC1, 0xC0}},
      {"0xFF is escaped as a run of one", {0xFF}, {0xC1, 0xFF}},
      {"0xBF needs no escape", {0xBF}, {0xBF}},
      {"two equal bytes make a run", {1, 2, 2}, {1, 0xC2, 2}},
      {"63 equal bytes are one run", std::vector<uint8_t>(63, 7), {0xFF, 7}},
      {"64 equal bytes split after 63", std::vector<uint8_t>(64, 7), {0xFF, 7, 7}},
      {"64 high bytes split into two runs", std::vector<uint8_t>(64, 0xC5), {0xFF, 0xC5, 0xC1, 0xC5}},
      {"127 low bytes: two runs and a plain byte", std::vector<uint8_t>(127, 0), {0xFF, 0, 0xFF, 0, 0}},
  };
  for (const Row& row : rows) {
    lk::Bytes out;
    lk::encodePcxRow(row.in.data(), row.in.size(), out);
    EXPECT_EQ(out, row.out) << row.rule;
  }
}

TEST(PcxEncoder, HeaderAndPaletteFields) {
  lk::IndexedPicture p = gradient(7, 3);
  const lk::Bytes b = lk::encodePcx(p);
  ASSERT_GT(b.size(), lk::kPcxHeaderSize + lk::kPcxPaletteSize);
  EXPECT_EQ(b[0], 0x0A);
  EXPECT_EQ(b[2], 1);           // RLE
  EXPECT_EQ(b[3], 8);           // bits per pixel
  EXPECT_EQ(le16(b, 4), 0);     // Xmin
  EXPECT_EQ(le16(b, 6), 0);     // Ymin
  EXPECT_EQ(le16(b, 8), 6);     // Xmax = width - 1
  EXPECT_EQ(le16(b, 10), 2);    // Ymax = height - 1
  EXPECT_EQ(b[65], 1);          // planes
  EXPECT_EQ(le16(b, 66), 8);    // odd width padded to an even line
  const size_t marker = b.size() - lk::kPcxPaletteSize;
  EXPECT_EQ(b[marker], 0x0C);
  EXPECT_TRUE(std::equal(p.palette.begin(), p.palette.end(), b.begin() + marker + 1));
  EXPECT_EQ(lk::pcxBytesPerLine(640), 640);
  EXPECT_EQ(lk::pcxBytesPerLine(639), 640);
}

TEST(PcxEncoder, RefusesPicturesItCannotDescribe) {
  EXPECT_THROW(lk::encodePcx(lk::IndexedPicture::filled(0, 5, 0)), std::invalid_argument);
  EXPECT_THROW(lk::encodePcx(lk::IndexedPicture::filled(5, 0, 0)), std::invalid_argument);
  EXPECT_THROW(lk::encodePcx(lk::IndexedPicture::filled(32768, 1, 0)), std::invalid_argument);
  lk::IndexedPicture short_pixels = lk::IndexedPicture::filled(4, 4, 0);
  short_pixels.pixels.pop_back();
  EXPECT_THROW(lk::encodePcx(short_pixels), std::invalid_argument);
}

TEST(PcxEncoder, ZorvaDecoderReadsBackEveryPixel) {
  for (int width : {1, 2, 3, 63, 64, 65, 127, 637, 639, 640}) {
    const lk::IndexedPicture p = gradient(width, 4);
    const lk::Bytes b = lk::encodePcx(p);
    const auto pic = zorva::elements::decodePcx(b);
    ASSERT_EQ(pic.result, zorva::elements::PcxResult::kDecoded) << width;
    ASSERT_EQ(pic.width, width);
    ASSERT_EQ(pic.height, 4);
    EXPECT_TRUE(pic.has_palette) << width;
    EXPECT_EQ(pic.palette, p.palette) << width;
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < width; ++x) {
        ASSERT_EQ(pic.pixels[static_cast<size_t>(y) * pic.stride + x], p.at(x, y))
            << "width " << width << " at " << x << "," << y;
      }
    }
  }
}

namespace {

std::string imageMagick() {
  for (const char* tool : {"magick", "convert"}) {
    const std::string probe = std::string("command -v ") + tool + " >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return tool;
  }
  return {};
}

// Reads a binary PPM (P6, maxval 255) as written by ImageMagick.
bool readPpm(const std::filesystem::path& path, int& w, int& h, std::vector<uint8_t>& rgb) {
  std::ifstream f(path, std::ios::binary);
  std::string magic;
  int maxval = 0;
  if (!(f >> magic >> w >> h >> maxval) || magic != "P6" || maxval != 255) return false;
  f.get();
  rgb.assign(static_cast<size_t>(w) * h * 3, 0);
  f.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  return static_cast<size_t>(f.gcount()) == rgb.size();
}

}  // namespace

TEST(PcxEncoder, ThirdPartyDecoderAgrees) {
  const std::string tool = imageMagick();
  if (tool.empty()) GTEST_SKIP() << "ImageMagick (magick or convert) is not installed";
  const zorva::testing::TempFolder folder;
  const std::filesystem::path dir = folder.path();
  for (int width : {5, 64, 637}) {
    const lk::IndexedPicture p = gradient(width, 9);
    const auto pcx = dir / ("w" + std::to_string(width) + ".pcx");
    const auto ppm = dir / ("w" + std::to_string(width) + ".ppm");
    {
      const lk::Bytes b = lk::encodePcx(p);
      std::ofstream(pcx, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                 static_cast<std::streamsize>(b.size()));
    }
    const std::string cmd = tool + " '" + pcx.string() + "' -depth 8 'ppm:" + ppm.string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(readPpm(ppm, w, h, rgb)) << ppm;
    ASSERT_EQ(w, width);
    ASSERT_EQ(h, 9);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint8_t index = p.at(x, y);
        const uint8_t* px = &rgb[(static_cast<size_t>(y) * w + x) * 3];
        ASSERT_EQ(px[0], p.palette[index * 3u]) << width << " red at " << x << "," << y;
        ASSERT_EQ(px[1], p.palette[index * 3u + 1]) << width << " green at " << x << "," << y;
        ASSERT_EQ(px[2], p.palette[index * 3u + 2]) << width << " blue at " << x << "," << y;
      }
    }
  }
}
