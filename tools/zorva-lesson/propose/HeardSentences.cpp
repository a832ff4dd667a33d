#include "tools/zorva-lesson/propose/HeardSentences.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorva::propose {
namespace {

// The mean feature distance along the best warping of all of `heard` onto all of `said`.
float warpDistance(const std::vector<FeatureFrame>& heard, const std::vector<FeatureFrame>& said) {
  constexpr float kNever = std::numeric_limits<float>::infinity();
  const size_t width = said.size();
  std::vector<float> above(width + 1, kNever), here(width + 1, kNever);
  above[0] = 0;
  for (const FeatureFrame& frame : heard) {
    here[0] = kNever;
    for (size_t j = 1; j <= width; ++j) {
      here[j] = featureDistance(frame, said[j - 1]) + std::min({above[j - 1], above[j], here[j - 1]});
    }
    std::swap(above, here);
    above[0] = kNever;
  }
  return above[width] / static_cast<float>(heard.size() + width);
}

// `frames` evenly resampled to `length` frames, so that a decoy differs from the sentence in its
// sounds and their order, not in its length.
std::vector<FeatureFrame> stretched(const std::vector<FeatureFrame>& frames, size_t length) {
  std::vector<FeatureFrame> out(length);
  for (size_t i = 0; i < length; ++i) out[i] = frames[i * frames.size() / length];
  return out;
}

double clarity(const std::vector<FeatureFrame>& heard, size_t sentence,
               const std::vector<std::vector<FeatureFrame>>& said) {
  const float own = warpDistance(heard, said[sentence]);
  std::vector<float> decoys;
  for (size_t other = 0; other < said.size(); ++other) {
    std::vector<FeatureFrame> decoy = stretched(said[other], said[sentence].size());
    if (other != sentence) decoys.push_back(warpDistance(heard, decoy));
    std::reverse(decoy.begin(), decoy.end());
    decoys.push_back(warpDistance(heard, decoy));
  }
  double sum = 0, squares = 0;
  for (float d : decoys) sum += d, squares += static_cast<double>(d) * d;
  const double mean = sum / static_cast<double>(decoys.size());
  const double deviation = std::sqrt(std::max(1e-9, squares / static_cast<double>(decoys.size()) - mean * mean));
  return (mean - own) / deviation;
}

}  // namespace

std::vector<double> heardClarity(const std::vector<FeatureFrame>& recording, const Alignment& alignment,
                                 const std::vector<std::vector<FeatureFrame>>& said) {
  std::vector<double> clarities;
  if (said.size() < kFewestJudgedSentences) return clarities;
  for (size_t k = 0; k < said.size(); ++k) {
    const AlignedSentence& s = alignment.sentences[k];
    const size_t first = static_cast<size_t>(std::lround(s.start_s / kFrameS));
    const size_t last = std::min(recording.size(), static_cast<size_t>(std::lround(s.end_s / kFrameS)));
    if (first >= last) {
      clarities.push_back(0);
      continue;
    }
    const std::vector<FeatureFrame> heard(recording.begin() + static_cast<long>(first),
                                          recording.begin() + static_cast<long>(last));
    clarities.push_back(clarity(heard, k, said));
  }
  return clarities;
}

}  // namespace zorva::propose
