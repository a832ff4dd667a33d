#include "tools/zorva-lesson/propose/evaluation/NaiveCutter.h"

#include <algorithm>
#include <cmath>


namespace zorva::evaluation {
namespace {

constexpr double kFrameS = 0.01;

propose::Cut cut(double from_s, double to_s) {
  propose::Cut c;
  c.from_s = from_s - propose::kCutMarginS;
  c.to_s = to_s + propose::kCutMarginS;
  return c;
}

struct Run {
  size_t from, to;  // frames
};

}  // namespace

std::vector<propose::Cut> naiveCuts(const std::vector<int16_t>& samples, int rate_hz, size_t sentences) {
  const size_t frame = static_cast<size_t>(kFrameS * rate_hz);
  std::vector<double> energy_db;
  for (size_t start = 0; start + frame <= samples.size(); start += frame) {
    double sum = 0;
    for (size_t i = start; i < start + frame; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    energy_db.push_back(10 * std::log10(sum / static_cast<double>(frame) + 1));
  }
  if (energy_db.empty() || sentences == 0) return {};
  std::vector<double> sorted = energy_db;
  std::sort(sorted.begin(), sorted.end());
  const double threshold = sorted[sorted.size() / 10] + (sorted[sorted.size() * 9 / 10] - sorted[sorted.size() / 10]) / 3;
  const auto loud = [&](size_t f) { return energy_db[f] > threshold; };
  size_t first = 0, last = energy_db.size();
  while (first < last && !loud(first)) ++first;
  while (last > first && !loud(last - 1)) --last;
  std::vector<Run> pauses;
  for (size_t f = first; f < last;) {
    size_t end = f;
    while (end < last && loud(end) == loud(f)) ++end;
    if (!loud(f)) pauses.push_back(Run{f, end});
    f = end;
  }
  std::sort(pauses.begin(), pauses.end(), [](const Run& a, const Run& b) { return a.to - a.from > b.to - b.from; });
  pauses.resize(std::min(pauses.size(), sentences - 1));
  std::sort(pauses.begin(), pauses.end(), [](const Run& a, const Run& b) { return a.from < b.from; });
  std::vector<propose::Cut> cuts;
  double from_s = static_cast<double>(first) * kFrameS;
  for (const Run& pause : pauses) {
    cuts.push_back(cut(from_s, static_cast<double>(pause.from) * kFrameS));
    from_s = static_cast<double>(pause.to) * kFrameS;
  }
  cuts.push_back(cut(from_s, static_cast<double>(last) * kFrameS));
  return cuts;
}

}  // namespace zorva::evaluation
