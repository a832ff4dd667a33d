#include "tools/zorva-lesson/propose/evaluation/AudioFamilies.h"

#include <map>

#include "tools/zorva-lesson/propose/evaluation/RoomSounds.h"

namespace zorva::evaluation {
namespace {

// Said first on a page's recording and printed on no list.
const std::map<std::string, std::string> kSpokenTitles = {
    {"eng", "Track twelve. Unit two, page fifteen."},
    {"deu", "Track zwölf. Lektion zwei, Seite fünfzehn."},
    {"spa", "Pista doce. Unidad dos, página quince."},
    {"fra", "Piste douze. Unité deux, page quinze."},
    {"ita", "Traccia dodici. Unità due, pagina quindici."},
};

ReadingStyle style(const ReadingVoice& voice, bool long_commas = false, const std::string& title = "") {
  ReadingStyle s;
  s.voice = voice;
  s.long_commas = long_commas;
  s.spoken_title = title;
  return s;
}

AudioFamily noisy(const std::string& name, NoiseColour colour, double snr_db, double reverb_s = 0) {
  return AudioFamily{name, {}, [=](Reading& reading, std::mt19937& random) {
                       if (reverb_s > 0) reverberate(reading.samples, reverb_s);
                       addNoise(reading.samples, colour, snr_db, random);
                     }, false};
}

}  // namespace

const std::vector<AudioFamily>& audioFamilies() {
  static const std::vector<AudioFamily> kFamilies = {
      {"espeak-ng 125 wpm", style({Synthesiser::kEspeak, "", 125}), nullptr, false},
      {"espeak-ng 260 wpm", style({Synthesiser::kEspeak, "", 260}), nullptr, false},
      {"flite slt", style({Synthesiser::kFlite, "slt", 0}), nullptr, true},
      {"festival diphone", style({Synthesiser::kFestival, "kal_diphone", 0}), nullptr, true},
      {"festival HTS", style({Synthesiser::kFestival, "cmu_us_slt_arctic_hts", 0}), nullptr, true},
      noisy("brown noise 20 dB, reverb", NoiseColour::kBrown, 20, 0.5),
      noisy("brown noise 10 dB", NoiseColour::kBrown, 10),
      noisy("pink noise 20 dB", NoiseColour::kPink, 20),
      noisy("pink noise 10 dB", NoiseColour::kPink, 10),
      {"reverb", {}, [](Reading& reading, std::mt19937&) { reverberate(reading.samples, 0.7); }, false},
      {"hum and music", {}, [](Reading& reading, std::mt19937& random) { addHumAndMusic(reading.samples, random); },
       false},
      {"breaths and clicks", {}, [](Reading& reading, std::mt19937& random) {
         addBreathsAndClicks(reading.samples, reading.speech_start_s, reading.speech_end_s, random);
       }, false},
      {"long comma pauses", style({}, true), nullptr, false},
      {"spoken title", style({}, false, "-"), nullptr, false},  // "-": the title in the page's language
  };
  return kFamilies;
}

bool familyReads(const AudioFamily& family, const LanguageTexts& texts) {
  if (family.english_only && texts.tesseract != "eng") return false;
  if (!family.style.spoken_title.empty() && !kSpokenTitles.count(texts.tesseract)) return false;
  return family.style.voice.name.empty() || voiceInstalled(family.style.voice);
}

void readAgain(EvaluationPage& page, const LanguageTexts& texts, const AudioFamily& family) {
  std::vector<SpokenSentence> spoken;
  for (const TrueSentence& s : page.sentences) spoken.push_back(SpokenSentence{s.text, texts.voice});
  ReadingStyle style = family.style;
  if (!style.spoken_title.empty()) style.spoken_title = kSpokenTitles.at(texts.tesseract);
  std::mt19937 random(static_cast<unsigned>(std::hash<std::string>{}(page.name + family.name)));
  Reading reading = readAloud(spoken, style, random);
  if (family.room) family.room(reading, random);
  page.audio_kind = family.name;
  page.recording = reading.samples;
  for (size_t s = 0; s < page.sentences.size(); ++s) {
    page.sentences[s].speech_start_s = reading.speech_start_s[s];
    page.sentences[s].speech_end_s = reading.speech_end_s[s];
  }
}

std::vector<int16_t> anotherPagesReading() {
  const std::vector<std::string> italian = {
      "Il treno per Roma parte alle nove.",       "Marco compra un biglietto allo sportello.",
      "Oggi fa freddo, quindi porta un cappotto.", "Sul binario ci sono molte persone.",
      "Una donna gli chiede l'ora.",              "Lui guarda l'orologio e sorride.",
      "Dopo un'ora, il treno arriva in città.",   "Le strade sono piene e rumorose.",
      "Marco va in un piccolo bar vicino al fiume.", "Ordina un tè e un panino."};
  std::vector<SpokenSentence> spoken;
  for (const std::string& s : italian) spoken.push_back(SpokenSentence{s, "it"});
  std::mt19937 random(11);
  return readAloud(spoken, ReadingStyle{}, random).samples;
}

}  // namespace zorva::evaluation
