#include "tools/zorva-lesson/propose/SpeechFeatures.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zorva::propose {
namespace {

constexpr double kRumbleHz = 300;
constexpr int kWindow = 512;  // about 23 ms at 22,050 Hz
constexpr int kBands = 26;
constexpr double kLowestHz = 250;
constexpr double kHighestHz = 7000;
constexpr float kFloorBelowTypical = 1e-3f;  // a band 30 dB under the sound's typical level counts as silent

// One section of a Butterworth high-pass, as the audio filter cookbook gives it.
struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  Biquad(double cutoff_hz, double q, int rate_hz) {
    const double w = 2 * M_PI * cutoff_hz / rate_hz, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
    b0 = (1 + std::cos(w)) / 2 / a0;
    b1 = -(1 + std::cos(w)) / a0;
    b2 = b0;
    a1 = -2 * std::cos(w) / a0;
    a2 = (1 - alpha) / a0;
  }
  double operator()(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
};

double mel(double hz) { return 2595 * std::log10(1 + hz / 700); }
double hertz(double m) { return 700 * (std::pow(10, m / 2595) - 1); }

// Triangular mel bands as weights on the FFT's bins.
std::vector<std::vector<float>> melBands(int rate_hz) {
  std::vector<std::vector<float>> bands(kBands, std::vector<float>(kWindow / 2 + 1, 0));
  const double low = mel(kLowestHz), high = mel(std::min(kHighestHz, rate_hz / 2.0));
  for (int b = 0; b < kBands; ++b) {
    const double left = hertz(low + (high - low) * b / (kBands + 1));
    const double centre = hertz(low + (high - low) * (b + 1) / (kBands + 1));
    const double right = hertz(low + (high - low) * (b + 2) / (kBands + 1));
    for (int k = 0; k <= kWindow / 2; ++k) {
      const double hz = static_cast<double>(k) * rate_hz / kWindow;
      const double rising = (hz - left) / (centre - left), falling = (right - hz) / (right - centre);
      bands[b][k] = static_cast<float>(std::max(0.0, std::min(rising, falling)));
    }
  }
  return bands;
}

std::vector<std::array<float, kBands>> bandEnergies(const std::vector<int16_t>& samples, int rate_hz) {
  const auto bands = melBands(rate_hz);
  std::vector<float> window(kWindow);
  for (int i = 0; i < kWindow; ++i) window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * M_PI * i / kWindow));
  std::unique_ptr<float, decltype(&fftwf_free)> in(fftwf_alloc_real(kWindow), fftwf_free);
  std::unique_ptr<fftwf_complex, decltype(&fftwf_free)> out(fftwf_alloc_complex(kWindow / 2 + 1), fftwf_free);
  const fftwf_plan plan = fftwf_plan_dft_r2c_1d(kWindow, in.get(), out.get(), FFTW_ESTIMATE);
  const size_t frames = static_cast<size_t>(static_cast<double>(samples.size()) / rate_hz / kFrameS);
  std::vector<std::array<float, kBands>> energies(frames);
  std::vector<float> power(kWindow / 2 + 1);
  for (size_t f = 0; f < frames; ++f) {
    const long centre = std::lround((static_cast<double>(f) + 0.5) * kFrameS * rate_hz);
    for (int i = 0; i < kWindow; ++i) {
      const long at = centre - kWindow / 2 + i;
      in.get()[i] = at >= 0 && at < static_cast<long>(samples.size()) ? samples[at] / 32768.0f * window[i] : 0.0f;
    }
    fftwf_execute(plan);
    for (int k = 0; k <= kWindow / 2; ++k) power[k] = out.get()[k][0] * out.get()[k][0] + out.get()[k][1] * out.get()[k][1];
    for (int b = 0; b < kBands; ++b) {
      float sum = 0;
      for (int k = 0; k <= kWindow / 2; ++k) sum += bands[b][k] * power[k];
      energies[f][b] = sum;
    }
  }
  fftwf_destroy_plan(plan);
  return energies;
}

// Each coefficient brought to mean 0 and deviation 1 over the sound.
void normalise(std::vector<FeatureFrame>& frames) {
  if (frames.empty()) return;
  for (int c = 0; c < kCepstra; ++c) {
    double sum = 0, squares = 0;
    for (const FeatureFrame& f : frames) sum += f[c], squares += static_cast<double>(f[c]) * f[c];
    const double mean = sum / frames.size();
    const double deviation = std::sqrt(std::max(1e-9, squares / frames.size() - mean * mean));
    for (FeatureFrame& f : frames) f[c] = static_cast<float>((f[c] - mean) / deviation);
  }
}

}  // namespace

std::vector<int16_t> withoutRumble(const std::vector<int16_t>& samples, int rate_hz) {
  Biquad first(kRumbleHz, 0.5412, rate_hz), second(kRumbleHz, 1.3066, rate_hz);  // fourth order
  std::vector<int16_t> out(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    out[i] = static_cast<int16_t>(std::clamp(second(first(samples[i])), -32768.0, 32767.0));
  }
  return out;
}

std::vector<FeatureFrame> speechFeatures(const std::vector<int16_t>& samples, int rate_hz) {
  const auto energies = bandEnergies(samples, rate_hz);
  std::vector<float> levels;
  for (const auto& e : energies) levels.push_back(*std::max_element(e.begin(), e.end()));
  float floor = 1e-12f;
  if (!levels.empty()) {
    std::nth_element(levels.begin(), levels.begin() + static_cast<long>(levels.size() * 3 / 4), levels.end());
    floor = std::max(floor, levels[levels.size() * 3 / 4] * kFloorBelowTypical);
  }
  static const auto cosines = [] {  // the cosine transform without its first term, the loudness
    std::array<std::array<float, kBands>, kCepstra> table{};
    for (int c = 0; c < kCepstra; ++c)
      for (int b = 0; b < kBands; ++b) table[c][b] = static_cast<float>(std::cos(M_PI * (c + 1) * (b + 0.5) / kBands));
    return table;
  }();
  std::vector<FeatureFrame> frames(energies.size());
  std::array<float, kBands> logs{};
  for (size_t f = 0; f < energies.size(); ++f) {
    for (int b = 0; b < kBands; ++b) logs[b] = std::log(energies[f][b] + floor);
    for (int c = 0; c < kCepstra; ++c) {
      float sum = 0;
      for (int b = 0; b < kBands; ++b) sum += logs[b] * cosines[c][b];
      frames[f][c] = sum;
    }
  }
  normalise(frames);
  return frames;
}

std::vector<float> loudness(const std::vector<int16_t>& samples, int rate_hz) {
  const size_t frames = static_cast<size_t>(static_cast<double>(samples.size()) / rate_hz / kFrameS);
  std::vector<float> level(frames);
  for (size_t f = 0; f < frames; ++f) {
    const size_t from = static_cast<size_t>(std::lround(static_cast<double>(f) * kFrameS * rate_hz));
    const size_t to = std::min(samples.size(), static_cast<size_t>(std::lround((f + 1.0) * kFrameS * rate_hz)));
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    level[f] = static_cast<float>(10 * std::log10(sum / std::max<size_t>(1, to - from) + 1));
  }
  if (frames == 0) return level;
  std::vector<float> sorted = level;
  std::sort(sorted.begin(), sorted.end());
  const float quiet = sorted[frames / 20], loud = sorted[frames * 19 / 20];
  for (float& l : level) l = std::clamp((l - quiet) / std::max(1.0f, loud - quiet), 0.0f, 1.0f);
  return level;
}

float featureDistance(const FeatureFrame& a, const FeatureFrame& b) {
  float sum = 0;
  for (size_t c = 0; c < a.size(); ++c) sum += (a[c] - b[c]) * (a[c] - b[c]);
  return std::sqrt(sum);
}

}  // namespace zorva::propose
