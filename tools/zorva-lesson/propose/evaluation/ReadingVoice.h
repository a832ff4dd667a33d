// The voices that read evaluation pages: espeak-ng at a chosen speed, and the English voices of
// flite and festival (a diphone and an HTS voice), run as their command-line programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorva::evaluation {

enum class Synthesiser { kEspeak, kFlite, kFestival };

struct ReadingVoice {
  Synthesiser synthesiser = Synthesiser::kEspeak;
  std::string name;        // espeak-ng "en+f3", flite "slt", festival "kal_diphone"; empty: the page's own
  int words_a_minute = 0;  // espeak-ng only; 0: its usual speed
};

std::string describe(const ReadingVoice& voice);

// Whether the synthesiser and voice are installed (tried once).
bool voiceInstalled(const ReadingVoice& voice);

// The text spoken, at 22,050 Hz, with the synthesiser's silence before and after trimmed.
std::vector<int16_t> speakWith(const ReadingVoice& voice, const std::string& text);

}  // namespace zorva::evaluation
