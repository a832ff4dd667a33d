#include "tools/zorva-lesson/propose/evaluation/RoomSounds.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/zorva-lesson/Sound.h"

namespace zorva::evaluation {
namespace {

constexpr double kRate = builder::kClipRateHz;

double rms(const std::vector<float>& values) {
  double sum = 0;
  for (float v : values) sum += static_cast<double>(v) * v;
  return values.empty() ? 0 : std::sqrt(sum / static_cast<double>(values.size()));
}

// Adds `sound`, scaled to `below_db` under the speech, to the samples.
void mix(std::vector<int16_t>& samples, const std::vector<float>& sound, double below_db) {
  const double gain = std::pow(10, (speechLevelDb(samples) - below_db) / 20) / std::max(1e-9, rms(sound));
  for (size_t i = 0; i < samples.size() && i < sound.size(); ++i) {
    samples[i] = static_cast<int16_t>(std::clamp(samples[i] + gain * sound[i], -32768.0, 32767.0));
  }
}

std::vector<float> colouredNoise(size_t length, NoiseColour colour, std::mt19937& random) {
  std::normal_distribution<float> white(0, 1);
  std::vector<float> noise(length);
  float b0 = 0, b1 = 0, b2 = 0, brown = 0;
  for (float& v : noise) {
    const float w = white(random);
    if (colour == NoiseColour::kBrown) {
      brown = 0.998f * brown + w;
      v = brown;
    } else {  // three leaky integrators approximating a 3 dB an octave slope
      b0 = 0.99765f * b0 + w * 0.0990460f;
      b1 = 0.96300f * b1 + w * 0.2965164f;
      b2 = 0.57000f * b2 + w * 1.0526913f;
      v = b0 + b1 + b2 + w * 0.1848f;
    }
  }
  return noise;
}

// A comb filter of the classic four-comb, two-allpass reverberator.
struct Comb {
  std::vector<float> line;
  size_t at = 0;
  float gain;
  Comb(double delay_s, double decay_s)
      : line(static_cast<size_t>(delay_s * kRate)), gain(static_cast<float>(std::pow(10, -3 * delay_s / decay_s))) {}
  float operator()(float x) {
    const float y = line[at];
    line[at] = x + gain * y;
    at = (at + 1) % line.size();
    return y;
  }
};

struct AllPass {
  std::vector<float> line;
  size_t at = 0;
  explicit AllPass(double delay_s) : line(static_cast<size_t>(delay_s * kRate)) {}
  float operator()(float x) {
    const float delayed = line[at];
    const float y = -0.7f * x + delayed;
    line[at] = x + 0.7f * y;
    at = (at + 1) % line.size();
    return y;
  }
};

void addBurst(std::vector<float>& sound, double at_s, double length_s, double level, bool breath, std::mt19937& random) {
  std::normal_distribution<float> white(0, 1);
  const size_t from = static_cast<size_t>(at_s * kRate), length = static_cast<size_t>(length_s * kRate);
  float low = 0, previous = 0;
  for (size_t i = 0; i < length && from + i < sound.size(); ++i) {
    const double t = static_cast<double>(i) / static_cast<double>(length);
    const double envelope = breath ? std::pow(std::sin(M_PI * t), 2) : std::exp(-8 * t);
    const float w = white(random);
    low = 0.7f * low + 0.3f * w;  // a breath is noise without its highest and lowest parts
    const float shaped = breath ? low - previous : w;
    previous = low;
    sound[from + i] += static_cast<float>(level * envelope * shaped);
  }
}

}  // namespace

double speechLevelDb(const std::vector<int16_t>& samples) {
  const size_t frame = static_cast<size_t>(0.02 * kRate);
  std::vector<double> powers;
  for (size_t start = 0; start + frame <= samples.size(); start += frame) {
    double sum = 0;
    for (size_t i = start; i < start + frame; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    powers.push_back(sum / static_cast<double>(frame));
  }
  if (powers.empty()) return 0;
  std::sort(powers.rbegin(), powers.rend());
  double sum = 0;
  const size_t loud = std::max<size_t>(1, powers.size() / 2);
  for (size_t i = 0; i < loud; ++i) sum += powers[i];
  return 10 * std::log10(sum / static_cast<double>(loud) + 1e-9);
}

void addNoise(std::vector<int16_t>& samples, NoiseColour colour, double snr_db, std::mt19937& random) {
  mix(samples, colouredNoise(samples.size(), colour, random), snr_db);
}

void reverberate(std::vector<int16_t>& samples, double decay_s) {
  std::array<Comb, 4> combs{Comb(0.0297, decay_s), Comb(0.0371, decay_s), Comb(0.0411, decay_s), Comb(0.0437, decay_s)};
  AllPass first(0.005), second(0.0017);
  std::vector<float> wet(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    float sum = 0;
    for (Comb& comb : combs) sum += comb(samples[i] / 32768.0f);
    wet[i] = second(first(sum / 4));
  }
  mix(samples, wet, 6);
}

void addHumAndMusic(std::vector<int16_t>& samples, std::mt19937& random) {
  std::vector<float> hum(samples.size()), music(samples.size());
  const std::array<double, 8> scale{220, 247, 262, 294, 330, 349, 392, 440};
  std::uniform_int_distribution<size_t> note(0, scale.size() - 1);
  const size_t chord_length = static_cast<size_t>(0.6 * kRate);
  std::array<double, 3> chord{};
  for (size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    hum[i] = static_cast<float>(std::sin(2 * M_PI * 50 * t) + std::sin(2 * M_PI * 100 * t) / 2 +
                                std::sin(2 * M_PI * 150 * t) / 3 + std::sin(2 * M_PI * 250 * t) / 4);
    if (i % chord_length == 0) chord = {scale[note(random)], scale[note(random)] * 1.5, scale[note(random)] * 2};
    const double swell = std::sin(M_PI * static_cast<double>(i % chord_length) / static_cast<double>(chord_length));
    for (double hz : chord) music[i] += static_cast<float>(swell * std::sin(2 * M_PI * hz * t));
  }
  mix(samples, hum, 20);
  mix(samples, music, 25);
}

void addBreathsAndClicks(std::vector<int16_t>& samples, const std::vector<double>& starts,
                         const std::vector<double>& ends, std::mt19937& random) {
  std::vector<float> sounds(samples.size());
  std::uniform_real_distribution<double> anywhere(0, 1);
  for (size_t k = 0; k < starts.size(); ++k) {
    const double pause_from = k == 0 ? 0.0 : ends[k - 1];
    const double pause_s = starts[k] - pause_from;
    if (pause_s > 0.5) {
      const double breath_s = std::min(0.45, pause_s - 0.3);
      addBurst(sounds, starts[k] - 0.12 - breath_s, breath_s, 0.08, true, random);
    }
    if (anywhere(random) < 0.4) addBurst(sounds, starts[k] - 0.15, 0.004, 0.6, false, random);
    if (pause_s > 0.3) addBurst(sounds, pause_from + 0.1 + 0.1 * anywhere(random), 0.003, 0.6, false, random);
  }
  const double peak = std::pow(10, speechLevelDb(samples) / 20) * 2;
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<int16_t>(std::clamp(samples[i] + peak * sounds[i], -32768.0, 32767.0));
  }
}

}  // namespace zorva::evaluation
