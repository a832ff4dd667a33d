#pragma once
// Finds where model clips occur in a recorded sound stream by normalised cross-correlation.
#include <vector>

namespace zorva::acceptance {

struct ClipHit {
  int clip = 0;            // index of the clip in the list searched for
  long offset = 0;         // first sample of the occurrence in the recording
  double score = 0;        // normalised cross-correlation, -1..1
  double peak_level = 0;   // largest absolute sample of the recording over the occurrence
  long end = 0;            // one past its last sample as heard: later than offset + length when
                           // the sound server dropped out inside it
};

// Normalised cross-correlation of `clip` against every position of `recording`; positions where
// the recording is (nearly) silent score 0, so silence never matches.
std::vector<double> normalisedCorrelation(const std::vector<double>& recording, const std::vector<double>& clip);

// Every occurrence of each clip scoring at least min_score where at least half of the clip's
// tenths are heard whole; occurrences of one clip are at least a clip length apart (the best one
// wins). Sorted by offset. A dropout of the sound server inside an occurrence lowers its score and
// shifts one side of it, so each occurrence starts and ends where its first and last tenths are
// heard.
std::vector<ClipHit> findClips(const std::vector<double>& recording, const std::vector<std::vector<double>>& clips,
                               double min_score);

}  // namespace zorva::acceptance
