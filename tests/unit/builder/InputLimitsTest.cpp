// Every input is bounded before it is decoded: a description, a picture or a sound that claims
// more than the builder takes is refused at its file and line, with the limit it passes.
#include <sndfile.h>
#include <unistd.h>
#include <zlib.h>

#include <fstream>

#include "tests/support/WavFile.h"
#include "tests/unit/builder/BuilderFixture.h"
#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/LessonDescription.h"

using namespace zorva::builder;

namespace {

void put32(std::string& out, uint32_t v, bool big_endian) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (big_endian ? 24 - 8 * i : 8 * i));
}

// A PNG signature, header chunk claiming a picture of that size and end chunk, and no pixels.
std::string pngHeader(uint32_t width, uint32_t height) {
  std::string chunk = "IHDR";
  put32(chunk, width, true);
  put32(chunk, height, true);
  chunk += std::string("\x08\x02\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  put32(png, 13, true);
  png += chunk;
  put32(png, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), chunk.size())), true);
  return png + std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12);
}

// A WAV header claiming `seconds` of sound at `rate_hz`, its samples a hole in the file (no disk used).
void writeClaimingWav(const std::string& path, double seconds, uint32_t rate_hz = 8000) {
  const uint32_t data = static_cast<uint32_t>(seconds * rate_hz) * 2;
  std::string wav = "RIFF";
  put32(wav, 36 + data, false);
  wav += "WAVEfmt ";
  put32(wav, 16, false);
  wav += std::string("\x01\x00\x01\x00", 4);
  put32(wav, rate_hz, false);
  put32(wav, rate_hz * 2, false);
  wav += std::string("\x02\x00\x10\x00", 4) + "data";
  put32(wav, data, false);
  std::ofstream(path, std::ios::binary) << wav;
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(wav.size() + data)), 0);
}

}  // namespace

using InputLimitsTest = BuilderFolder;

TEST_F(InputLimitsTest, InputsBeyondTheirBoundsAreRefusedAtTheirLineWithTheLimit) {
  std::ofstream(path("huge.png"), std::ios::binary) << pngHeader(30000, 30000);
  std::ofstream(path("tall.png"), std::ios::binary) << pngHeader(100, 12001);
  writeClaimingWav(path("hour.wav"), 3600);
  writeClaimingWav(path("day.wav"), 5 * 3600);
  // At the clips' own rate, so the page of long clips is not resampled (slow under the sanitizers).
  writeClaimingWav(path("clip_rate.wav"), 600, 22050);
  zorva::testing::writeWav(path("empty.wav"), {}, 8000);
  std::string deep_key = "a";
  for (int i = 0; i < 50000; ++i) deep_key += ".a";
  const std::string ten_minutes = "    audio = \"clip_rate.wav\"\n    from = 0\n    to = 599\n";
  const std::string and_another = "    [[lesson.page.item]]\n    line = 1\n" + ten_minutes;
  struct Row {
    const char* label;
    std::string description;
    std::string refusal;
  } rows[] = {
      {"tempo NaN", std::string(kOneLinePage) + "    say = \"Hi\"\n    voice = \"en\"\n    tempo = nan\n", ":12: 'tempo' must be a number from 0.5"},
      {"tempo infinite", std::string(kOneLinePage) + "    say = \"Hi\"\n    voice = \"en\"\n    tempo = inf\n", ":12: 'tempo' must be a number"},
      {"from NaN", std::string(kOneLinePage) + "    audio = \"hour.wav\"\n    from = nan\n", ":11: 'from' must be a time"},
      {"to infinite", std::string(kOneLinePage) + "    audio = \"hour.wav\"\n    to = inf\n", ":11: 'to' must be a time"},
      {"say too long", std::string(kOneLinePage) + "    say = \"" + std::string(2001, 'a') + "\"\n",
       ":10: 'say' is 2001 bytes long; it may hold at most 2000"},
      {"text line too long", std::string(kOneLinePage) + "    say = \"Hi\"\n    voice = \"en\"\n[[lesson]]\nnumber = 2\n  [[lesson.page]]\n  text = [\"" +
                                 std::string(1001, 'a') + "\"]\n",
       ":15: 'text' is 1001 bytes long; it may hold at most 1000"},
      {"dotted header 50,000 deep", std::string(kOneLinePage) + "[" + deep_key + "]\n", ":10: a key or table header of more than 8"},
      {"dotted key 50,000 deep", std::string(kOneLinePage) + "    say = \"Hi\"\n    voice = \"en\"\n    " + deep_key + " = 1\n",
       ":12: a key or table header of more than 8"},
      {"arrays 50,000 deep", std::string(kOneLinePage) + "    rect = " + std::string(50000, '[') + "\n",
       ":10: values nested more than 8 deep"},
      {"description over 4 MB", std::string(kOneLinePage) + "# " + std::string(5u << 20, 'x') + "\n",
       ":1: the description is larger than 4 MB"},
      {"picture too large", std::string(kOneLinePage) + "[[lesson]]\nnumber = 2\n  [[lesson.page]]\n  picture = \"huge.png\"\n",
       ":13: picture " + path("huge.png") + " is 30000x30000 pixels; a picture may have at most 12000 pixels a side"},
      {"picture too tall", std::string(kOneLinePage) + "[[lesson]]\nnumber = 2\n  [[lesson.page]]\n  picture = \"tall.png\"\n",
       "is 100x12001 pixels"},
      {"an hour without from and to", std::string(kOneLinePage) + "    audio = \"hour.wav\"\n",
       ":10: the sound taken from " + path("hour.wav") + " lasts 3600.00 s; a clip or a page's recording lasts at most 600.00 s"},
      {"an hour's cut", std::string(kOneLinePage) + "    audio = \"hour.wav\"\n    from = 10\n    to = 3000\n", "lasts 2990.00 s"},
      {"a file of five hours", std::string(kOneLinePage) + "    audio = \"day.wav\"\n    to = 1\n",
       "lasts 18000.00 s by its header; a sound file may last at most 14400.00 s"},
      {"not a sound", std::string(kOneLinePage) + "    audio = \"lesson.toml\"\n", "it is not a sound in a form"},
      {"an empty file", std::string(kOneLinePage) + "    audio = \"empty.wav\"\n", "empty.wav has no samples"},
      {"a page larger than check reads", std::string(kOneLinePage) + ten_minutes + and_another + and_another + and_another + and_another + and_another,
       ":6: 14101.pge: the page file is 152 MB, more than the 128 MB"},
  };
  for (const Row& row : rows) {
    std::string message;
    try {
      assemble(readDescription(write("lesson.toml", row.description)));
    } catch (const BuildError& error) {
      message = error.what();
    }
    EXPECT_NE(message.find(row.refusal), std::string::npos) << row.label << ": " << message.substr(0, 300);
  }
}

TEST_F(InputLimitsTest, ACutOfALongFileDecodesOnlyItsStretch) {
  writeClaimingWav(path("hour.wav"), 3600);
  const BuiltBook book =
      assemble(readDescription(write("lesson.toml", std::string(kOneLinePage) + "    audio = \"hour.wav\"\n    from = 3000\n    to = 3002\n")));
  EXPECT_EQ(book.pages.front().items.front().samples.size(), 2u * 22050);
}
