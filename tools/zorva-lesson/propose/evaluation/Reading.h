// The recording of an evaluation page: each sentence spoken by espeak-ng, its silence trimmed,
// the sentences joined with pauses of 0.35 to 1.2 s; some sentences are spoken in two parts with
// a pause of 0.2 to 0.3 s at a comma, as a reader breathes. Faint noise covers it all.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zorva::evaluation {

struct SpokenSentence {
  std::string text;
  std::string voice;
};

struct Reading {
  std::vector<int16_t> samples;  // 22,050 Hz mono
  std::vector<double> speech_start_s;
  std::vector<double> speech_end_s;
};

Reading readAloud(const std::vector<SpokenSentence>& sentences, std::mt19937& random);

}  // namespace zorva::evaluation
