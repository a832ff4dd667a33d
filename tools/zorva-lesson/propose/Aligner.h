// Aligns a recording with the page's sentences as a speech synthesiser says them, by dynamic time
// warping over spectral features. The synthesis is the sentences in order, with a gap before,
// between and after them; a gap takes any stretch of the recording, so a spoken title, an
// exercise number or a jingle falls into a gap instead of into a sentence. A gap costs more the
// louder the sound it takes: pauses, breaths and quiet music go there first.
#pragma once

#include <vector>

#include "tools/zorva-lesson/propose/SpeechFeatures.h"

namespace zorva::propose {

struct AlignedSentence {
  double start_s = 0;   // the sentence's first frame in the recording ...
  double end_s = 0;     // ... and the end of its last
  float mismatch = 0;   // mean feature distance along its path
  double stretch = 0;   // its length in the recording over its synthesised length
};

struct Alignment {
  std::vector<AlignedSentence> sentences;
  std::vector<bool> in_gap;  // for each recording frame: aligned with no sentence
};

// The mean distance per synthesised frame of the sentence's best match anywhere in the recording:
// of two voices saying it, the nearer to its reader matches better.
float bestMatch(const std::vector<FeatureFrame>& recording, const std::vector<FeatureFrame>& sentence);

// `loudness` is the recording's, frame by frame. The synthesised sentences must not be empty.
Alignment alignSentences(const std::vector<FeatureFrame>& recording, const std::vector<float>& loudness,
                         const std::vector<std::vector<FeatureFrame>>& sentences);

}  // namespace zorva::propose
