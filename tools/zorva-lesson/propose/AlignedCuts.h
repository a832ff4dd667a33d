// Turns an alignment into cuts: each sentence's start and end, as the alignment places them, are
// moved to the nearest edge of the reader's speech, so a cut falls in a pause, never in a word.
// A cut the alignment is unsure of says why; speech that aligned with no sentence is returned.
#pragma once

#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/Aligner.h"
#include "tools/zorva-lesson/propose/PauseFinder.h"
#include "tools/zorva-lesson/propose/SentenceTiming.h"

namespace zorva::propose {

struct SpeechSpan {
  double start_s = 0;
  double end_s = 0;
};

struct AlignedCuts {
  std::vector<Cut> cuts;
  std::vector<SpeechSpan> unlisted;  // speech on no sentence: a title, a number, a jingle
  std::vector<bool> unspoken;        // per sentence: the recording holds no speech of it (empty: not judged)
};

AlignedCuts cutAligned(const Alignment& alignment, const SpeechMap& speech, double duration_s);

}  // namespace zorva::propose
