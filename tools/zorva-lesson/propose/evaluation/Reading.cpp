#include "tools/zorva-lesson/propose/evaluation/Reading.h"

#include <algorithm>
#include <cstdlib>

#include "tools/zorva-lesson/Sound.h"

namespace zorva::evaluation {
namespace {

constexpr int kSilent = 200;  // below this the synthesiser's output counts as silence
constexpr int kRate = builder::kClipRateHz;

std::vector<int16_t> spoken(const std::string& text, const std::string& voice) {
  std::vector<int16_t> samples = builder::speak(text, voice, builder::SourceRef{"evaluation reading", 0});
  const auto loud = [](int16_t v) { return std::abs(v) > kSilent; };
  const auto first = std::find_if(samples.begin(), samples.end(), loud);
  const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
  return first < last ? std::vector<int16_t>(first, last) : std::vector<int16_t>{};
}

void addSilence(std::vector<int16_t>& samples, double seconds) {
  samples.insert(samples.end(), static_cast<size_t>(seconds * kRate), int16_t{0});
}

}  // namespace

Reading readAloud(const std::vector<SpokenSentence>& sentences, std::mt19937& random) {
  std::uniform_real_distribution<double> sentence_pause(0.35, 1.2), comma_pause(0.2, 0.3), chance(0, 1);
  Reading reading;
  addSilence(reading.samples, 0.4);
  for (size_t i = 0; i < sentences.size(); ++i) {
    if (i > 0) addSilence(reading.samples, sentence_pause(random));
    reading.speech_start_s.push_back(static_cast<double>(reading.samples.size()) / kRate);
    const std::string& text = sentences[i].text;
    const size_t comma = text.find(", ");
    if (comma != std::string::npos && chance(random) < 0.6) {
      const std::vector<int16_t> first = spoken(text.substr(0, comma + 1), sentences[i].voice);
      reading.samples.insert(reading.samples.end(), first.begin(), first.end());
      addSilence(reading.samples, comma_pause(random));
      const std::vector<int16_t> rest = spoken(text.substr(comma + 2), sentences[i].voice);
      reading.samples.insert(reading.samples.end(), rest.begin(), rest.end());
    } else {
      const std::vector<int16_t> whole = spoken(text, sentences[i].voice);
      reading.samples.insert(reading.samples.end(), whole.begin(), whole.end());
    }
    reading.speech_end_s.push_back(static_cast<double>(reading.samples.size()) / kRate);
  }
  addSilence(reading.samples, 0.5);
  std::normal_distribution<float> noise(0.0f, 25.0f);
  for (int16_t& v : reading.samples) v = static_cast<int16_t>(std::clamp(v + noise(random), -32768.0f, 32767.0f));
  return reading;
}

}  // namespace zorva::evaluation
