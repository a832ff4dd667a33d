// The recording of an evaluation page: each sentence spoken, its silence trimmed, the sentences
// joined with pauses of 0.35 to 1.2 s; some sentences are spoken in two parts with a pause of 0.2
// to 0.3 s at a comma, as a reader breathes. Faint noise covers it all. A reading style may give
// another voice, pauses at commas longer than between sentences, and a title said first.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/evaluation/ReadingVoice.h"

namespace zorva::evaluation {

struct SpokenSentence {
  std::string text;
  std::string voice;
};

struct ReadingStyle {
  ReadingVoice voice;        // an empty name: each sentence's own espeak-ng voice
  bool long_commas = false;  // every comma a pause of 1 to 1.6 s, sentences 0.4 to 0.8 s apart
  std::string spoken_title;  // said before the sentences, and on no list
};

struct Reading {
  std::vector<int16_t> samples;  // 22,050 Hz mono
  std::vector<double> speech_start_s;
  std::vector<double> speech_end_s;
};

Reading readAloud(const std::vector<SpokenSentence>& sentences, const ReadingStyle& style, std::mt19937& random);

}  // namespace zorva::evaluation
