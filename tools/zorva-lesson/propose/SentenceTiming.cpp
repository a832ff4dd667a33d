#include "tools/zorva-lesson/propose/SentenceTiming.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <sstream>

#include "tools/zorva-lesson/LessonDescription.h"

namespace zorva::propose {
namespace {

// Readers of course books speak between these rates (letters a second); outside them the
// recording is not the reading of these sentences.
constexpr double kSlowestRate = 3;
constexpr double kFastestRate = 40;
constexpr double kLengthSpread = 0.3;  // natural log of the ratio of actual to expected length
constexpr double kPauseWeight = 1.5;

std::string seconds(double s) {
  std::ostringstream out;
  out.precision(1);
  out << std::fixed << s << " s";
  return out.str();
}

// A cut twice as long or half as long as its text would take is likely to hold the wrong words.
bool fitsItsText(const Cut& cut) {
  const double length = cut.to_s - cut.from_s - 2 * kCutMarginS;
  return length < 2 * cut.expected_s && length > cut.expected_s / 2;
}

struct Planner {
  const SpeechMap& speech;
  std::vector<double> expected_s;

  // Boundary b is the recording's start (0), pause b-1 (1..P), or its end (P+1).
  double boundaryEnd(size_t b) const { return b == 0 ? speech.first_speech_s : speech.pauses[b - 1].end_s; }
  double boundaryStart(size_t b) const {
    return b == speech.pauses.size() + 1 ? speech.last_speech_s : speech.pauses[b - 1].start_s;
  }
  double segmentCost(size_t sentence, size_t from, size_t to) const {
    const double length = boundaryStart(to) - boundaryEnd(from);
    if (length <= 0) return std::numeric_limits<double>::infinity();
    const double error = std::log(length / expected_s[sentence]) / kLengthSpread;
    return error * error / 2;
  }
  double pauseReward(size_t b) const {
    return kPauseWeight * std::log(speech.pauses[b - 1].length() / kShortestPauseS);
  }

  // The pauses (1-based boundary numbers) that end sentences 1..N-1.
  std::vector<size_t> choose() const {
    const size_t n = expected_s.size(), p = speech.pauses.size();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<std::vector<double>> cost(n, std::vector<double>(p + 2, inf));
    std::vector<std::vector<size_t>> from(n, std::vector<size_t>(p + 2, 0));
    cost[0][0] = 0;
    for (size_t k = 1; k < n; ++k) {
      for (size_t b = k; b <= p; ++b) {
        for (size_t a = k - 1; a < b; ++a) {
          if (cost[k - 1][a] == inf) continue;
          const double c = cost[k - 1][a] + segmentCost(k - 1, a, b) - pauseReward(b);
          if (c < cost[k][b]) cost[k][b] = c, from[k][b] = a;
        }
      }
    }
    size_t last = 0;
    double best = inf;
    for (size_t a = n - 1; a <= p; ++a) {
      const double c = cost[n - 1][a] + segmentCost(n - 1, a, p + 1);
      if (c < best) best = c, last = a;
    }
    std::vector<size_t> chosen(n - 1);
    for (size_t k = n - 1; k >= 1; --k) {
      chosen[k - 1] = last;
      last = from[k][last];
    }
    return chosen;
  }
};

}  // namespace

std::vector<Cut> cutSentences(const SpeechMap& speech, const std::vector<int>& letters, double duration_s) {
  const size_t n = letters.size();
  if (n == 0) return {};
  if (!speech.hasSpeech()) throw builder::BuildError("the recording holds no speech");
  if (speech.pauses.size() + 1 < n) {
    throw builder::BuildError("the recording has " + std::to_string(speech.pauses.size() + 1) +
                              " stretch(es) of speech between pauses, too few for " + std::to_string(n) +
                              " sentences: is it the reading of this page?");
  }
  std::vector<double> longest;
  for (const Pause& pause : speech.pauses) longest.push_back(pause.length());
  std::sort(longest.rbegin(), longest.rend());
  const double sentence_pauses = std::accumulate(longest.begin(), longest.begin() + static_cast<long>(n - 1), 0.0);
  const double speaking_s = speech.last_speech_s - speech.first_speech_s - sentence_pauses;
  const int total_letters = std::max(1, std::accumulate(letters.begin(), letters.end(), 0));
  const double rate = total_letters / std::max(speaking_s, 1e-3);
  if (rate > kFastestRate || rate < kSlowestRate) {
    throw builder::BuildError("the recording is far " + std::string(rate > kFastestRate ? "shorter" : "longer") +
                              " than the sentences: " + seconds(speaking_s) + " of speech for " +
                              std::to_string(total_letters) + " letters (a reader needs about " +
                              seconds(total_letters / 14.0) + ")");
  }
  Planner planner{speech, {}};
  for (int count : letters) planner.expected_s.push_back(std::max(1, count) / rate);
  const std::vector<size_t> ends = n > 1 ? planner.choose() : std::vector<size_t>{};

  std::vector<Cut> cuts(n);
  cuts.front().from_s = std::max(0.0, speech.first_speech_s - kCutMarginS);
  cuts.back().to_s = std::min(duration_s, speech.last_speech_s + kCutMarginS);
  for (size_t k = 0; k + 1 < n; ++k) {
    const Pause& pause = speech.pauses[ends[k] - 1];
    const double middle = (pause.start_s + pause.end_s) / 2;
    cuts[k].to_s = std::min(pause.start_s + kCutMarginS, middle);
    cuts[k + 1].from_s = std::max(pause.end_s - kCutMarginS, middle);
  }
  for (size_t k = 0; k < n; ++k) {
    cuts[k].expected_s = planner.expected_s[k];
    cuts[k].doubt = fitsItsText(cuts[k]) ? "" : seconds(cuts[k].to_s - cuts[k].from_s) + " for a sentence of about " +
                                                    seconds(cuts[k].expected_s);
  }
  return cuts;
}

}  // namespace zorva::propose
