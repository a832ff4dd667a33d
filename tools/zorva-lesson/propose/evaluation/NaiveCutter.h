// The simplest cutter there is, to measure `propose` against: frames of 10 ms whose energy is
// under a threshold between the noise floor and the speech are pauses, and the N-1 longest pauses
// end the N sentences.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/zorva-lesson/propose/SentenceTiming.h"

namespace zorva::evaluation {

std::vector<propose::Cut> naiveCuts(const std::vector<int16_t>& samples, int rate_hz, size_t sentences);

}  // namespace zorva::evaluation
