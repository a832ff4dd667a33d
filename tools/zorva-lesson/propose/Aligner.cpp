#include "tools/zorva-lesson/propose/Aligner.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zorva::propose {
namespace {

// Feature distances run from about 2 between frames of the same sound to about 5 between
// unrelated ones; a gap costs less than unrelated speech, more than the sentence's own.
constexpr float kSpokenGapCost = 4.0f;
constexpr float kSilentGapCost = 0.2f;

enum Step : uint8_t { kDiagonal, kRecordingOnly, kSynthesisOnly };

// The synthesis as one sequence of columns: gap, sentence 1's frames, gap, ..., gap.
struct Columns {
  std::vector<const FeatureFrame*> frame;  // null: a gap
  std::vector<int> sentence;               // the gap before sentence k, and the last gap, count as -1
  explicit Columns(const std::vector<std::vector<FeatureFrame>>& sentences) {
    for (size_t k = 0; k <= sentences.size(); ++k) {
      frame.push_back(nullptr);
      sentence.push_back(-1);
      if (k == sentences.size()) break;
      for (const FeatureFrame& f : sentences[k]) frame.push_back(&f), sentence.push_back(static_cast<int>(k));
    }
  }
  size_t size() const { return frame.size(); }
};

float cellCost(const FeatureFrame& heard, float loudness, const FeatureFrame* said) {
  if (said == nullptr) return kSilentGapCost + (kSpokenGapCost - kSilentGapCost) * loudness * loudness;
  return featureDistance(heard, *said);
}

// The mean distance along the cheapest warping of one sequence onto another.
float warpedDistance(const FeatureFrame* heard, size_t rows, const FeatureFrame* said, size_t width, int direction) {
  constexpr float kNever = std::numeric_limits<float>::infinity();
  std::vector<float> above(width, kNever), here(width, kNever), above_steps(width, 0), here_steps(width, 0);
  for (size_t i = 0; i < rows; ++i) {
    for (size_t j = 0; j < width; ++j) {
      const FeatureFrame& s = direction > 0 ? said[j] : said[width - 1 - j];
      float best = i == 0 && j == 0 ? 0 : kNever, steps = 0;
      if (i > 0 && j > 0 && above[j - 1] < best) best = above[j - 1], steps = above_steps[j - 1];
      if (i > 0 && above[j] < best) best = above[j], steps = above_steps[j];
      if (j > 0 && here[j - 1] < best) best = here[j - 1], steps = here_steps[j - 1];
      here[j] = best + featureDistance(heard[i], s);
      here_steps[j] = steps + 1;
    }
    std::swap(above, here);
    std::swap(above_steps, here_steps);
  }
  return above[width - 1] / above_steps[width - 1];
}

// The steps of the cheapest path from the first cell to the last, row by row.
std::vector<uint8_t> warp(const std::vector<FeatureFrame>& recording, const std::vector<float>& loudness,
                          const Columns& columns) {
  const size_t rows = recording.size(), width = columns.size();
  constexpr float kNever = std::numeric_limits<float>::infinity();
  std::vector<float> above(width, kNever), here(width, kNever);
  std::vector<uint8_t> steps(rows * width, kDiagonal);
  for (size_t i = 0; i < rows; ++i) {
    for (size_t j = 0; j < width; ++j) {
      const float cost = cellCost(recording[i], loudness[i], columns.frame[j]);
      float best = i == 0 && j == 0 ? 0 : kNever;
      uint8_t step = kDiagonal;
      if (i > 0 && j > 0 && above[j - 1] < best) best = above[j - 1], step = kDiagonal;
      if (i > 0 && above[j] < best) best = above[j], step = kRecordingOnly;
      if (j > 0 && here[j - 1] < best) best = here[j - 1], step = kSynthesisOnly;
      here[j] = best + cost;
      steps[i * width + j] = step;
    }
    std::swap(above, here);
  }
  return steps;
}

}  // namespace

Alignment alignSentences(const std::vector<FeatureFrame>& recording, const std::vector<float>& loudness,
                         const std::vector<std::vector<FeatureFrame>>& sentences) {
  Alignment alignment;
  alignment.sentences.resize(sentences.size());
  alignment.in_gap.assign(recording.size(), true);
  if (recording.empty()) return alignment;
  const Columns columns(sentences);
  const std::vector<uint8_t> steps = warp(recording, loudness, columns);
  std::vector<size_t> first(sentences.size(), recording.size()), last(sentences.size(), 0), cells(sentences.size(), 0);
  std::vector<double> cost(sentences.size(), 0);
  for (size_t i = recording.size() - 1, j = columns.size() - 1;;) {
    if (const int k = columns.sentence[j]; k >= 0) {
      alignment.in_gap[i] = false;
      first[k] = std::min(first[k], i);
      last[k] = std::max(last[k], i);
      cost[k] += cellCost(recording[i], loudness[i], columns.frame[j]);
      ++cells[k];
    }
    if (i == 0 && j == 0) break;
    const uint8_t step = steps[i * columns.size() + j];
    if (step != kSynthesisOnly) --i;
    if (step != kRecordingOnly) --j;
  }
  for (size_t k = 0; k < sentences.size(); ++k) {
    AlignedSentence& s = alignment.sentences[k];
    s.start_s = static_cast<double>(first[k]) * kFrameS;
    s.end_s = static_cast<double>(last[k] + 1) * kFrameS;
    s.mismatch = static_cast<float>(cost[k] / std::max<size_t>(1, cells[k]));
    s.stretch = static_cast<double>(last[k] + 1 - first[k]) / std::max<size_t>(1, sentences[k].size());
    s.reversed_mismatch =
        warpedDistance(&recording[first[k]], last[k] + 1 - first[k], sentences[k].data(), sentences[k].size(), -1);
  }
  return alignment;
}

}  // namespace zorva::propose
