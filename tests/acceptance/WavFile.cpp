#include "tests/acceptance/WavFile.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zorva::acceptance {
namespace {

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }

}  // namespace

Wave readWave(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot open");
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(bytes.data() + 8, "WAVE", 4)) {
    throw std::runtime_error(path + ": not a RIFF WAVE file");
  }
  int channels = 0;
  Wave wave;
  size_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    const unsigned char* chunk = bytes.data() + pos;
    // parecord leaves the data size at its maximum when it is stopped; take what is there.
    const size_t size = std::min<size_t>(le32(chunk + 4), bytes.size() - pos - 8);
    if (!std::memcmp(chunk, "fmt ", 4) && size >= 16) {
      if (le16(chunk + 8) != 1 || le16(chunk + 22) != 16) throw std::runtime_error(path + ": not 16-bit PCM");
      channels = le16(chunk + 10);
      wave.rate_hz = int(le32(chunk + 12));
    } else if (!std::memcmp(chunk, "data", 4)) {
      if (channels <= 0) throw std::runtime_error(path + ": data before format");
      const size_t frames = size / (2 * size_t(channels));
      wave.samples.resize(frames);
      for (size_t f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
          sum += int16_t(le16(chunk + 8 + 2 * (f * channels + c)));
        }
        wave.samples[f] = sum / channels / 32768.0;
      }
      return wave;
    }
    pos += 8 + size + (size & 1);
  }
  throw std::runtime_error(path + ": no data chunk");
}

}  // namespace zorva::acceptance
