#include "tools/zorva-lesson/propose/SpeakerLabels.h"

#include <algorithm>
#include <map>

#include "tools/zorva-lesson/propose/LetterKey.h"

namespace zorva::propose {
namespace {

constexpr size_t kLongestName = 16;

bool isDash(const std::string& word) { return word == "-" || word == "\u2013" || word == "\u2014" || word == "\u2015"; }

}  // namespace

std::optional<std::string> labelRole(const std::string& word) {
  if (isDash(word)) return std::string("\u2014");
  if (word.size() < 2 || word.back() != ':') return std::nullopt;
  const std::string name = word.substr(0, word.size() - 1);
  const std::u32string letters = codePoints(name);
  if (letters.size() > kLongestName || !isUpperCase(letters.front())) return std::nullopt;
  if (!std::all_of(letters.begin(), letters.end(), isLetterOrDigit)) return std::nullopt;
  return name;
}

void findSpeakerLabels(std::vector<TextLine>& lines) {
  std::map<std::string, int> starts;
  for (const TextLine& line : lines) {
    if (line.words.size() < 2) continue;
    if (const auto role = labelRole(line.words.front().text)) ++starts[*role];
  }
  const int pitch = typicalLinePitch(lines);
  int dash_turn = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    TextLine& line = lines[i];
    if (line.words.size() < 2) continue;
    const auto role = labelRole(line.words.front().text);
    // A speaker heard once is still one when the line above is a dialogue line.
    const bool in_dialogue = i > 0 && lines[i - 1].label && !startsParagraph(lines, i, pitch);
    if (!role || (starts[*role] < 2 && !in_dialogue)) continue;
    // Dash dialogues name no speaker: the turns alternate between two.
    const std::string name = *role == "\u2014" ? "Speaker " + std::to_string(dash_turn++ % 2 + 1) : *role;
    line.label = SpeakerLabel{name, line.words.front().box};
    line.words.erase(line.words.begin());
  }
}

std::vector<std::optional<SpeakerLabel>> lineSpeakers(const std::vector<TextLine>& lines) {
  const int pitch = typicalLinePitch(lines);
  std::vector<std::optional<SpeakerLabel>> speakers(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].label) {
      speakers[i] = lines[i].label;
    } else if (i > 0 && speakers[i - 1] && !startsParagraph(lines, i, pitch)) {
      speakers[i] = speakers[i - 1];
    }
  }
  return speakers;
}

}  // namespace zorva::propose
