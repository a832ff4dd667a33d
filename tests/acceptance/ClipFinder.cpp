#include "tests/acceptance/ClipFinder.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace zorva::acceptance {
namespace {

using Complex = std::complex<double>;

void fft(std::vector<Complex>& a, bool inverse) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const double angle = 2 * std::numbers::pi / double(len) * (inverse ? 1 : -1);
    const Complex step(std::cos(angle), std::sin(angle));
    for (size_t i = 0; i < n; i += len) {
      Complex w(1);
      for (size_t k = 0; k < len / 2; ++k) {
        const Complex u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= step;
      }
    }
  }
  if (inverse) {
    for (Complex& x : a) x /= double(n);
  }
}

// A tenth of a clip heard whole scores near 1, one a dropout cuts into far less, and another
// sound near 0. An occurrence needs half its tenths heard whole, so neither a dropout in a clip
// nor another sound that happens to correlate with it a little decides.
constexpr double kTenthScore = 0.9;
constexpr int kTenths = 10;
constexpr int kTenthsNeeded = 5;

}  // namespace

std::vector<double> normalisedCorrelation(const std::vector<double>& recording, const std::vector<double>& clip) {
  const size_t n = recording.size(), m = clip.size();
  if (m == 0 || n < m) return {};
  double mean = 0;
  for (double x : clip) mean += x;
  mean /= double(m);
  double clip_energy = 0;
  for (double x : clip) clip_energy += (x - mean) * (x - mean);
  std::vector<double> out(n - m + 1, 0.0);
  if (clip_energy <= 0) return out;

  size_t size = 1;
  while (size < n + m) size <<= 1;
  std::vector<Complex> a(size), b(size);
  for (size_t i = 0; i < n; ++i) a[i] = recording[i];
  for (size_t i = 0; i < m; ++i) b[i] = clip[m - 1 - i] - mean;  // reversed: convolution = correlation
  fft(a, false);
  fft(b, false);
  for (size_t i = 0; i < size; ++i) a[i] *= b[i];
  fft(a, true);

  std::vector<double> sum(n + 1, 0.0), sum_sq(n + 1, 0.0);
  for (size_t i = 0; i < n; ++i) {
    sum[i + 1] = sum[i] + recording[i];
    sum_sq[i + 1] = sum_sq[i] + recording[i] * recording[i];
  }
  // A window quieter than this (about -60 dB of full scale) is silence, not a match.
  const double silence = 1e-6 * double(m);
  for (size_t k = 0; k + m <= n; ++k) {
    const double s = sum[k + m] - sum[k];
    const double energy = sum_sq[k + m] - sum_sq[k] - s * s / double(m);
    if (energy > silence) out[k] = a[k + m - 1].real() / std::sqrt(energy * clip_energy);
  }
  return out;
}

namespace {

// Where `piece` begins when it matches best at a position in [from, to) of the recording; -1 when
// no position there scores kTenthScore.
long bestPlace(const std::vector<double>& recording, const std::vector<double>& piece, long from, long to) {
  from = std::max(0L, from);
  to = std::min(to, long(recording.size()) - long(piece.size()) + 1);
  if (to <= from) return -1;
  const std::vector<double> stretch(recording.begin() + from, recording.begin() + to + long(piece.size()) - 1);
  const std::vector<double> ncc = normalisedCorrelation(stretch, piece);
  const auto best = std::max_element(ncc.begin(), ncc.end());
  return best == ncc.end() || *best < kTenthScore ? -1 : from + long(best - ncc.begin());
}

// Looks for each tenth of the clip within half a clip of where it follows the tenth before (a
// dropout shifts everything after it); the hit then starts where its first tenth heard places the
// clip's start, and ends where its last tenth heard places the clip's end. The count of tenths heard.
int placeTenths(const std::vector<double>& recording, const std::vector<double>& clip, ClipHit& hit) {
  const long length = long(clip.size()), tenth = std::max(1L, length / kTenths), reach = length / 2;
  int heard = 0;
  long next = hit.offset, start = -1;
  for (long at = 0; at + tenth <= length && at < kTenths * tenth; at += tenth) {
    const std::vector<double> piece(clip.begin() + at, clip.begin() + at + tenth);
    const long place = bestPlace(recording, piece, next - reach, next + reach + 1);
    next = (place < 0 ? next : place) + tenth;
    if (place < 0) continue;
    if (heard++ == 0) start = place - at;
  }
  if (heard == 0) return 0;
  hit.offset = std::max(0L, start);
  hit.end = next + length - kTenths * tenth;
  return heard;
}

}  // namespace

std::vector<ClipHit> findClips(const std::vector<double>& recording, const std::vector<std::vector<double>>& clips,
                               double min_score) {
  std::vector<ClipHit> hits;
  for (size_t c = 0; c < clips.size(); ++c) {
    std::vector<double> ncc = normalisedCorrelation(recording, clips[c]);
    const long length = long(clips[c].size());
    for (;;) {
      const auto best = std::max_element(ncc.begin(), ncc.end());
      if (best == ncc.end() || *best < min_score) break;
      const long at = long(best - ncc.begin());
      ClipHit hit{int(c), at, *best, 0.0};
      for (long i = at; i < at + length; ++i) hit.peak_level = std::max(hit.peak_level, std::fabs(recording[size_t(i)]));
      if (placeTenths(recording, clips[c], hit) >= std::min<long>(kTenthsNeeded, length)) hits.push_back(hit);
      const long from = std::max(0L, at - length + 1), to = std::min(long(ncc.size()), at + length);
      std::fill(ncc.begin() + from, ncc.begin() + to, -1.0);
    }
  }
  std::sort(hits.begin(), hits.end(), [](const ClipHit& x, const ClipHit& y) { return x.offset < y.offset; });
  return hits;
}

}  // namespace zorva::acceptance
