#include "tools/zorva-lesson/propose/evaluation/ReadingVoice.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "tools/zorva-lesson/Sound.h"

namespace zorva::evaluation {
namespace {

constexpr int kSilent = 200;  // below this a synthesiser's output counts as silence

std::vector<int16_t> trimmed(std::vector<int16_t> samples) {
  const auto loud = [](int16_t v) { return std::abs(v) > kSilent; };
  const auto first = std::find_if(samples.begin(), samples.end(), loud);
  const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
  return first < last ? std::vector<int16_t>(first, last) : std::vector<int16_t>{};
}

// The programs are given their text in a file, so no text needs quoting for the shell.
std::string command(const ReadingVoice& voice, const std::string& text_file, const std::string& wav_file) {
  switch (voice.synthesiser) {
    case Synthesiser::kEspeak:
      return "espeak-ng -v " + voice.name + " -s " + std::to_string(voice.words_a_minute) + " -w " + wav_file +
             " -f " + text_file;
    case Synthesiser::kFlite:
      return "flite -voice " + voice.name + " -f " + text_file + " -o " + wav_file;
    case Synthesiser::kFestival:
      return "text2wave -eval '(voice_" + voice.name + ")' -o " + wav_file + " " + text_file;
  }
  return "";
}

std::vector<int16_t> runSynthesiser(const ReadingVoice& voice, const std::string& text) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::string stem = (folder / ("zorva-reading-" + std::to_string(getpid()))).string();
  std::ofstream(stem + ".txt") << text << "\n";
  const std::string run = command(voice, stem + ".txt", stem + ".wav") + " >/dev/null 2>&1";
  const bool spoken = std::system(run.c_str()) == 0 && std::filesystem::exists(stem + ".wav");
  std::vector<int16_t> samples =
      spoken ? builder::loadSoundFile(stem + ".wav", builder::SourceRef{describe(voice), 0}) : std::vector<int16_t>{};
  std::filesystem::remove(stem + ".txt");
  std::filesystem::remove(stem + ".wav");
  if (!spoken) throw builder::BuildError(describe(voice) + " could not speak");
  return samples;
}

}  // namespace

std::string describe(const ReadingVoice& voice) {
  switch (voice.synthesiser) {
    case Synthesiser::kEspeak:
      return "espeak-ng " + voice.name + (voice.words_a_minute > 0 ? " " + std::to_string(voice.words_a_minute) + " wpm" : "");
    case Synthesiser::kFlite:
      return "flite " + voice.name;
    case Synthesiser::kFestival:
      return "festival " + voice.name;
  }
  return "";
}

bool voiceInstalled(const ReadingVoice& voice) {
  static std::map<std::string, bool> known;
  const std::string key = describe(voice);
  if (const auto it = known.find(key); it != known.end()) return it->second;
  try {
    return known[key] = !speakWith(voice, "Hello.").empty();
  } catch (const builder::BuildError&) {
    return known[key] = false;
  }
}

std::vector<int16_t> speakWith(const ReadingVoice& voice, const std::string& text) {
  if (voice.synthesiser == Synthesiser::kEspeak && voice.words_a_minute == 0) {
    return trimmed(builder::speak(text, voice.name, builder::SourceRef{"evaluation reading", 0}));
  }
  return trimmed(runSynthesiser(voice, text));
}

}  // namespace zorva::evaluation
