// Recordings for the lesson builder's tests: interleaved 16-bit samples written as a PCM WAV
// file, which the builder reads back like any recording a course author brings.
#pragma once

#include <gtest/gtest.h>
#include <sndfile.h>

#include <string>
#include <vector>

namespace zorva::testing {

// Fails the test when the file cannot be written.
inline void writeWav(const std::string& path, const std::vector<short>& interleaved, int rate_hz,
                     int channels = 1) {
  SF_INFO info{};
  info.samplerate = rate_hz;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(out, nullptr) << path;
  sf_write_short(out, interleaved.data(), static_cast<sf_count_t>(interleaved.size()));
  sf_close(out);
}

}  // namespace zorva::testing
