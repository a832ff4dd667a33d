#include "tools/zorva-lesson/propose/Aligner.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zorva::propose {
namespace {

// A gap costs loud speech this share of the way from the distance of a recorded frame to its
// nearest synthesised frame (a sound of the sentences) to its mean distance from them all.
constexpr float kSpokenGapShare = 0.85f;
constexpr float kSilentGapCost = 0.2f;
// A sentence may hold a pause (a long one at a comma) for a little more than a gap would cost.
constexpr float kPauseInSentenceCost = 0.3f;
constexpr float kQuiet = 0.2f;
constexpr size_t kSampledFrames = 200;

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

struct Costs {
  float spoken_gap;
  float operator()(const FeatureFrame& heard, float loudness, const FeatureFrame* said) const {
    const float gap = kSilentGapCost + (spoken_gap - kSilentGapCost) * loudness * loudness;
    if (said == nullptr) return gap;
    const float distance = featureDistance(heard, *said);
    return loudness < kQuiet ? std::min(distance, gap + kPauseInSentenceCost) : distance;
  }
};

struct Nearness {
  double nearest = 0;  // mean distance of a loud recorded frame to its nearest synthesised frame ...
  double mean = 0;     // ... and to all of them
};

Nearness measureNearness(const std::vector<FeatureFrame>& recording, const std::vector<float>& loudness,
                         const Columns& columns) {
  double nearest = 0, mean = 0;
  size_t sampled = 0;
  const size_t step = std::max<size_t>(1, recording.size() / kSampledFrames);
  for (size_t i = 0; i < recording.size(); i += step) {
    if (loudness[i] < kQuiet) continue;
    float least = std::numeric_limits<float>::infinity();
    double sum = 0;
    size_t count = 0;
    for (const FeatureFrame* said : columns.frame) {
      if (said == nullptr) continue;
      const float d = featureDistance(recording[i], *said);
      least = std::min(least, d), sum += d, ++count;
    }
    nearest += least, mean += sum / std::max<size_t>(1, count), ++sampled;
  }
  if (sampled == 0) return Nearness{};
  return Nearness{nearest / static_cast<double>(sampled), mean / static_cast<double>(sampled)};
}

// How near a recorded voice comes to the synthesised one differs from voice to voice and room
// to room, so the gap's cost is measured on the recording's loud frames.
Costs measureCosts(const std::vector<FeatureFrame>& recording, const std::vector<float>& loudness,
                   const Columns& columns) {
  const Nearness n = measureNearness(recording, loudness, columns);
  if (n.mean == 0) return Costs{kSilentGapCost};
  return Costs{static_cast<float>(n.nearest + kSpokenGapShare * (n.mean - n.nearest))};
}

std::vector<uint8_t> warp(const std::vector<FeatureFrame>& recording, const std::vector<float>& loudness,
                          const Columns& columns, const Costs& cellCost) {
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

float bestMatch(const std::vector<FeatureFrame>& recording, const std::vector<FeatureFrame>& sentence) {
  constexpr float kNever = std::numeric_limits<float>::infinity();
  const size_t width = sentence.size();
  std::vector<float> above(width, kNever), here(width, kNever);
  float best = kNever;
  for (const FeatureFrame& heard : recording) {
    for (size_t j = 0; j < width; ++j) {
      const float before = j == 0 ? 0 : std::min({above[j - 1], above[j], here[j - 1]});  // free start
      here[j] = before + featureDistance(heard, sentence[j]);
    }
    best = std::min(best, here[width - 1]);
    std::swap(above, here);
  }
  return best / static_cast<float>(width);
}

Alignment alignSentences(const std::vector<FeatureFrame>& recording, const std::vector<float>& loudness,
                         const std::vector<std::vector<FeatureFrame>>& sentences) {
  Alignment alignment;
  alignment.sentences.resize(sentences.size());
  alignment.in_gap.assign(recording.size(), true);
  if (recording.empty()) return alignment;
  const Columns columns(sentences);
  const Costs cellCost = measureCosts(recording, loudness, columns);
  const std::vector<uint8_t> steps = warp(recording, loudness, columns, cellCost);
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
  }
  return alignment;
}

}  // namespace zorva::propose
