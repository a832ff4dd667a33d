// Cuts a recording read sentence after sentence into one segment per sentence. Of the pauses
// found, as many as there are sentence ends are chosen by dynamic programming: each segment's
// length should match its sentence's letters at the reader's measured speaking rate, and longer
// pauses are likelier ends, so a short pause at a comma is not taken for the end of a sentence.
#pragma once

#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/PauseFinder.h"

namespace zorva::propose {

// Silence kept before and after each sentence's speech.
constexpr double kCutMarginS = 0.05;

struct Cut {
  double from_s = 0;
  double to_s = 0;
  double expected_s = 0;  // the sentence's length at the reader's rate
  std::string doubt;      // why the cut should be listened to; empty when it is sure
};

// `letters` holds each sentence's count of letters and digits. Throws BuildError when the
// recording is far shorter or longer than the sentences, or has too few pauses for them.
std::vector<Cut> cutSentences(const SpeechMap& speech, const std::vector<int>& letters, double duration_s);

}  // namespace zorva::propose
