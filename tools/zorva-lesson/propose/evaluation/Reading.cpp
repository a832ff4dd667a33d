#include "tools/zorva-lesson/propose/evaluation/Reading.h"

#include <algorithm>
#include <cstdlib>

#include "tools/zorva-lesson/Sound.h"

namespace zorva::evaluation {
namespace {

constexpr int kRate = builder::kClipRateHz;

void addSilence(std::vector<int16_t>& samples, double seconds) {
  samples.insert(samples.end(), static_cast<size_t>(seconds * kRate), int16_t{0});
}

void addSpeech(std::vector<int16_t>& samples, const std::string& text, const ReadingVoice& voice) {
  const std::vector<int16_t> spoken = speakWith(voice, text);
  samples.insert(samples.end(), spoken.begin(), spoken.end());
}

}  // namespace

Reading readAloud(const std::vector<SpokenSentence>& sentences, const ReadingStyle& style, std::mt19937& random) {
  std::uniform_real_distribution<double> sentence_pause(0.35, 1.2), comma_pause(0.2, 0.3), chance(0, 1);
  if (style.long_commas) sentence_pause = decltype(sentence_pause)(0.4, 0.8), comma_pause = decltype(comma_pause)(1.0, 1.6);
  Reading reading;
  addSilence(reading.samples, 0.4);
  if (!style.spoken_title.empty()) {
    addSpeech(reading.samples, style.spoken_title, ReadingVoice{Synthesiser::kEspeak, sentences.front().voice, 0});
    addSilence(reading.samples, 1.0);
  }
  for (size_t i = 0; i < sentences.size(); ++i) {
    ReadingVoice voice = style.voice;
    if (voice.name.empty()) voice.name = sentences[i].voice;
    if (i > 0) addSilence(reading.samples, sentence_pause(random));
    reading.speech_start_s.push_back(static_cast<double>(reading.samples.size()) / kRate);
    const std::string& text = sentences[i].text;
    const size_t comma = text.find(", ");
    if (comma != std::string::npos && (style.long_commas || chance(random) < 0.6)) {
      addSpeech(reading.samples, text.substr(0, comma + 1), voice);
      addSilence(reading.samples, comma_pause(random));
      addSpeech(reading.samples, text.substr(comma + 2), voice);
    } else {
      addSpeech(reading.samples, text, voice);
    }
    reading.speech_end_s.push_back(static_cast<double>(reading.samples.size()) / kRate);
  }
  addSilence(reading.samples, 0.5);
  std::normal_distribution<float> noise(0.0f, 25.0f);
  for (int16_t& v : reading.samples) v = static_cast<int16_t>(std::clamp(v + noise(random), -32768.0f, 32767.0f));
  return reading;
}

}  // namespace zorva::evaluation
