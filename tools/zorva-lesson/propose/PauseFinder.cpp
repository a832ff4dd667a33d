#include "tools/zorva-lesson/propose/PauseFinder.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace zorva::propose {
namespace {

constexpr double kHopS = 0.005;
constexpr int kWindow = 512;           // about 23 ms at 22,050 Hz
constexpr double kBridgedGapS = 0.06;  // a stop consonant's closure is not a pause
constexpr double kShortestSpeechS = 0.03;

void fft(std::vector<std::complex<float>>& x) {
  const size_t n = x.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(x[i], x[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<float> step = std::polar(1.0f, static_cast<float>(-2 * M_PI / len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<float> w = 1;
      for (size_t k = 0; k < len / 2; ++k, w *= step) {
        const std::complex<float> u = x[i + k], v = x[i + k + len / 2] * w;
        x[i + k] = u + v;
        x[i + k + len / 2] = u - v;
      }
    }
  }
}

struct Frames {
  std::vector<float> energy_db;
  std::vector<float> flux;  // positive spectral change against the frame before, in dB steps
};

Frames measure(const std::vector<int16_t>& samples, int hop) {
  Frames frames;
  std::vector<float> window(kWindow), previous(kWindow / 2, 0), magnitude(kWindow / 2);
  for (int i = 0; i < kWindow; ++i) window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * M_PI * i / kWindow));
  std::vector<std::complex<float>> spectrum(kWindow);
  for (size_t start = 0; start + hop <= samples.size(); start += hop) {
    double sum = 0;
    for (size_t i = start; i < start + hop; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    frames.energy_db.push_back(static_cast<float>(10 * std::log10(sum / hop + 1.0)));
    for (int i = 0; i < kWindow; ++i) {
      const size_t at = start + static_cast<size_t>(i) + hop / 2;
      const float v = at >= static_cast<size_t>(kWindow / 2) && at - kWindow / 2 < samples.size()
                          ? samples[at - kWindow / 2] / 32768.0f
                          : 0.0f;
      spectrum[i] = v * window[i];
    }
    fft(spectrum);
    float flux = 0;
    for (int k = 0; k < kWindow / 2; ++k) {
      magnitude[k] = 20 * std::log10(std::abs(spectrum[k]) + 1e-4f);
      flux += std::max(0.0f, magnitude[k] - previous[k]);
    }
    frames.flux.push_back(flux / (kWindow / 2));
    std::swap(previous, magnitude);
  }
  return frames;
}

float percentile(std::vector<float> values, double p) {
  if (values.empty()) return 0;
  const size_t at = std::min(values.size() - 1, static_cast<size_t>(p * values.size()));
  std::nth_element(values.begin(), values.begin() + at, values.end());
  return values[at];
}

// Turns short runs of one kind into the other: gaps inside words, and clicks inside pauses.
void smooth(std::vector<bool>& speech, bool value, int shortest) {
  for (size_t i = 0; i < speech.size();) {
    size_t j = i;
    while (j < speech.size() && speech[j] == speech[i]) ++j;
    const bool inner = i > 0 && j < speech.size();
    if (speech[i] == value && inner && static_cast<int>(j - i) < shortest)
      std::fill(speech.begin() + i, speech.begin() + j, !value);
    i = j;
  }
}

}  // namespace

SpeechMap findPauses(const std::vector<int16_t>& samples, int rate_hz) {
  const int hop = std::max(1, static_cast<int>(std::lround(kHopS * rate_hz)));
  const double hop_s = static_cast<double>(hop) / rate_hz;
  const Frames frames = measure(samples, hop);
  SpeechMap map;
  if (frames.energy_db.empty()) return map;
  const float floor_db = percentile(frames.energy_db, 0.05);
  const float loud_db = percentile(frames.energy_db, 0.95);
  const float energy_threshold = floor_db + std::max(6.0f, (loud_db - floor_db) * 0.25f);
  // The flux of the quiet frames says how much the room's noise alone moves the spectrum.
  std::vector<float> quiet_flux;
  for (size_t i = 0; i < frames.flux.size(); ++i) {
    if (frames.energy_db[i] < floor_db + 3) quiet_flux.push_back(frames.flux[i]);
  }
  const float flux_threshold = percentile(quiet_flux, 0.98) * 1.2f;
  std::vector<bool> speech(frames.energy_db.size());
  for (size_t i = 0; i < speech.size(); ++i) {
    const bool loud_enough = frames.energy_db[i] > floor_db + 3;
    speech[i] = frames.energy_db[i] > energy_threshold || (loud_enough && frames.flux[i] > flux_threshold);
  }
  smooth(speech, false, static_cast<int>(kBridgedGapS / hop_s));
  smooth(speech, true, static_cast<int>(kShortestSpeechS / hop_s));

  const auto first = std::find(speech.begin(), speech.end(), true);
  if (first == speech.end()) return map;
  const auto last = std::find(speech.rbegin(), speech.rend(), true);
  const size_t begin = static_cast<size_t>(first - speech.begin());
  const size_t end = speech.size() - static_cast<size_t>(last - speech.rbegin());
  map.first_speech_s = begin * hop_s;
  map.last_speech_s = end * hop_s;
  for (size_t i = begin; i < end;) {
    size_t j = i;
    while (j < end && speech[j] == speech[i]) ++j;
    if (!speech[i] && (j - i) * hop_s >= kShortestPauseS) map.pauses.push_back(Pause{i * hop_s, j * hop_s});
    i = j;
  }
  return map;
}

}  // namespace zorva::propose
