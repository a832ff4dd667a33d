#include "tools/zorva-lesson/propose/AlignedCuts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace zorva::propose {
namespace {

constexpr double kSnapS = 0.25;          // the alignment is trusted to this; farther, a pause is not the sentence's
constexpr float kPoorerMismatch = 1.0f;  // over the page's typical, a sentence's words match poorly
constexpr double kOddStretch = 1.6;      // a sentence this much longer or shorter than the page's others
constexpr double kShortestUnlistedS = 0.3;
constexpr double kUnlistedShare = 0.6;  // of a stretch of speech aligned with no sentence
// An echo or music under the reading makes the reader's speech seem to go on past its words: when
// the speech's edges lie this much outside the alignment's on most sentences, the alignment's
// edges on that side are the better ones.
constexpr double kRoomSoundS = 0.1;
constexpr double kRoomSoundSearchS = 0.5;

std::string seconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", s);
  return text;
}

double median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
  return values[values.size() / 2];
}

// The edge nearest to `at`, within `reach`, among the starts (or ends) of the reader's stretches
// of speech.
std::optional<double> nearestEdge(const SpeechMap& speech, double at, bool starts, double reach = kSnapS) {
  std::optional<double> best;
  const auto consider = [&](double edge) {
    if (std::abs(edge - at) <= reach && (!best || std::abs(edge - at) < std::abs(*best - at))) best = edge;
  };
  consider(starts ? speech.first_speech_s : speech.last_speech_s);
  for (const Pause& pause : speech.pauses) consider(starts ? pause.end_s : pause.start_s);
  return best;
}

// The sentence's stretch without the pauses inside it: a reader may stop long at a comma.
double spokenStretch(const AlignedSentence& s, const SpeechMap& speech) {
  double paused = 0;
  for (const Pause& pause : speech.pauses) {
    paused += std::max(0.0, std::min(pause.end_s, s.end_s) - std::max(pause.start_s, s.start_s));
  }
  return s.stretch * (s.end_s - s.start_s - paused) / std::max(kFrameS, s.end_s - s.start_s);
}

// Whether the speech's starts (or ends) lie outside the alignment's on most sentences.
bool roomSoundWidens(const Alignment& alignment, const SpeechMap& speech, bool starts) {
  std::vector<double> outward;
  for (const AlignedSentence& s : alignment.sentences) {
    const double at = starts ? s.start_s : s.end_s;
    if (const std::optional<double> edge = nearestEdge(speech, at, starts, kRoomSoundSearchS)) {
      outward.push_back(starts ? at - *edge : *edge - at);
    }
  }
  return outward.size() * 2 > alignment.sentences.size() && median(outward) > kRoomSoundS;
}

struct Edges {
  std::vector<double> starts, ends;  // of each sentence's speech
  std::vector<std::string> doubts;
};

Edges snappedEdges(const Alignment& alignment, const SpeechMap& speech) {
  Edges edges;
  std::vector<double> mismatches, stretches;
  for (const AlignedSentence& s : alignment.sentences) {
    mismatches.push_back(s.mismatch);
    stretches.push_back(spokenStretch(s, speech));
  }
  const double usual_mismatch = median(mismatches), usual_stretch = median(stretches);
  const bool aligned_starts = roomSoundWidens(alignment, speech, true);
  const bool aligned_ends = roomSoundWidens(alignment, speech, false);
  for (const AlignedSentence& s : alignment.sentences) {
    const std::optional<double> start = aligned_starts ? s.start_s : nearestEdge(speech, s.start_s, true);
    const std::optional<double> end = aligned_ends ? s.end_s : nearestEdge(speech, s.end_s, false);
    edges.starts.push_back(start.value_or(s.start_s));
    edges.ends.push_back(std::max(end.value_or(s.end_s), edges.starts.back()));
    std::string doubt;
    if (!start || !end) {
      doubt = "no pause where the sentence " + std::string(!start ? "starts" : "ends");
    } else if (s.mismatch > usual_mismatch + kPoorerMismatch) {
      doubt = "its words match the text poorly";
    } else if (const double spoken = spokenStretch(s, speech);
               spoken > usual_stretch * kOddStretch || spoken < usual_stretch / kOddStretch) {
      doubt = seconds(s.end_s - s.start_s) + " for a sentence of about " +
              seconds((s.end_s - s.start_s) * usual_stretch / spoken);
    }
    edges.doubts.push_back(doubt);
  }
  return edges;
}

std::vector<SpeechSpan> unlistedSpeech(const Alignment& alignment, const SpeechMap& speech) {
  std::vector<SpeechSpan> stretches;
  double from = speech.first_speech_s;
  for (const Pause& pause : speech.pauses) stretches.push_back({from, pause.start_s}), from = pause.end_s;
  stretches.push_back({from, speech.last_speech_s});
  std::vector<SpeechSpan> unlisted;
  for (const SpeechSpan& s : stretches) {
    const size_t first = static_cast<size_t>(s.start_s / kFrameS);
    const size_t last = std::min(alignment.in_gap.size(), static_cast<size_t>(s.end_s / kFrameS));
    if (s.end_s - s.start_s < kShortestUnlistedS || first >= last) continue;
    const auto in_gap = std::count(alignment.in_gap.begin() + static_cast<long>(first),
                                   alignment.in_gap.begin() + static_cast<long>(last), true);
    if (static_cast<double>(in_gap) >= kUnlistedShare * static_cast<double>(last - first)) {
      const auto sentence_between = [&](const SpeechSpan& before) {
        return std::any_of(alignment.sentences.begin(), alignment.sentences.end(), [&](const AlignedSentence& a) {
          return a.start_s >= before.end_s && a.start_s < s.start_s;
        });
      };
      if (!unlisted.empty() && !sentence_between(unlisted.back())) {
        unlisted.back().end_s = s.end_s;
      } else {
        unlisted.push_back(s);
      }
    }
  }
  return unlisted;
}

}  // namespace

AlignedCuts cutAligned(const Alignment& alignment, const SpeechMap& speech, double duration_s) {
  AlignedCuts result;
  const size_t n = alignment.sentences.size();
  if (n == 0) return result;
  const Edges edges = snappedEdges(alignment, speech);
  result.cuts.resize(n);
  for (size_t k = 0; k < n; ++k) {
    Cut& cut = result.cuts[k];
    cut.expected_s = edges.ends[k] - edges.starts[k];
    cut.doubt = edges.doubts[k];
    cut.from_s = k == 0 ? std::max(0.0, edges.starts[k] - kCutMarginS) : cut.from_s;
    cut.to_s = k + 1 == n ? std::min(duration_s, edges.ends[k] + kCutMarginS) : cut.to_s;
    if (k + 1 == n) continue;
    // The next sentence may start before this one ends when both snapped to the same pause's far side.
    const double middle = (edges.ends[k] + std::max(edges.ends[k], edges.starts[k + 1])) / 2;
    cut.to_s = std::min(edges.ends[k] + kCutMarginS, middle);
    result.cuts[k + 1].from_s = std::max(edges.starts[k + 1] - kCutMarginS, middle);
  }
  result.unlisted = unlistedSpeech(alignment, speech);
  return result;
}

}  // namespace zorva::propose
