#pragma once
// Reading of the 16-bit PCM WAV files the acceptance runner records and the speech clips it
// feeds the lesson builder, mixed down to one channel.
#include <string>
#include <vector>

namespace zorva::acceptance {

struct Wave {
  int rate_hz = 0;
  std::vector<double> samples;  // mono, scaled to -1..1
};

// Throws std::runtime_error naming the file when it is not a 16-bit PCM WAV.
Wave readWave(const std::string& path);

}  // namespace zorva::acceptance
