// Timing for the benchmark programs: a subject and its anchor are timed in turn, many times,
// in one run, and each figure is the median of its turns, so a neighbour's load on the shared
// cores moves both alike and a single disturbed turn moves neither.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace zorva::bench {

inline double nowMicros() {
  using namespace std::chrono;
  return duration<double, std::micro>(steady_clock::now().time_since_epoch()).count();
}

inline double median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Times each of `tasks` once per turn, in order, for `turns` turns; returns each task's median
// in microseconds.
inline std::vector<double> medianMicros(int turns, const std::vector<std::function<void()>>& tasks) {
  std::vector<std::vector<double>> times(tasks.size());
  for (int t = 0; t < turns; ++t) {
    for (size_t i = 0; i < tasks.size(); ++i) {
      const double start = nowMicros();
      tasks[i]();
      times[i].push_back(nowMicros() - start);
    }
  }
  std::vector<double> medians;
  for (auto& v : times) medians.push_back(median(v));
  return medians;
}

// One line per figure: name, value, the anchor measured beside it, the ratio value / anchor
// and whether it is within the goal (a largest ratio). scripts/bench.sh collects these lines.
inline void printFigure(const char* name, double value, const char* unit, const char* anchor_name,
                        double anchor, double max_ratio) {
  const double ratio = anchor > 0 ? value / anchor : 0.0;
  std::printf("%-20s %9.1f %-3s  vs %-22s %9.1f %-3s  ratio %6.2f  goal <= %-5g %s\n", name, value,
              unit, anchor_name, anchor, unit, ratio, max_ratio,
              anchor > 0 && ratio <= max_ratio ? "met" : "MISSED");
}

// A figure with a fixed goal instead of an anchor.
inline void printLimit(const char* name, double value, const char* unit, double limit) {
  std::printf("%-20s %9.1f %-3s  %-54s goal <= %-5g %s\n", name, value, unit, "", limit,
              value <= limit ? "met" : "MISSED");
}

}  // namespace zorva::bench
