#include "tools/zorva-lesson/propose/SpeakerLabels.h"

#include <algorithm>
#include <map>
#include <set>

#include "tools/zorva-lesson/propose/LetterKey.h"

namespace zorva::propose {
namespace {

constexpr size_t kLongestName = 16;

bool isName(const std::string& word) {
  const std::u32string letters = codePoints(word);
  return !letters.empty() && letters.size() <= kLongestName && isUpperCase(letters.front()) &&
         std::all_of(letters.begin(), letters.end(), isLetterOrDigit);
}

bool isDash(const std::string& word) { return word == "-" || word == "\u2013" || word == "\u2014" || word == "\u2015"; }

// "ANNA—" → "ANNA": a label whose dash the reader ran into the name.
std::string withoutTrailingDashes(std::string word) {
  for (const std::string dash : {"-", "\u2013", "\u2014", "\u2015"}) {
    while (word.size() > dash.size() && word.compare(word.size() - dash.size(), dash.size(), dash) == 0)
      word.erase(word.size() - dash.size());
  }
  return word;
}

// "A-Es": a name in capitals, a hyphen and the turn's first word, read as one word.
void splitGluedLabel(std::vector<Word>& words) {
  if (words.empty()) return;
  const std::string& text = words.front().text;
  const size_t hyphen = text.find('-');
  if (hyphen == 0 || hyphen == std::string::npos || hyphen + 1 == text.size()) return;
  const std::u32string name = codePoints(text.substr(0, hyphen));
  if (!isName(text.substr(0, hyphen)) || !std::all_of(name.begin(), name.end(), isUpperCase)) return;
  // The label takes its share of the box by its letters.
  const PictureRect box = words.front().box;
  const auto label_letters = static_cast<int>(name.size() + 1), letters = static_cast<int>(codePoints(text).size());
  const int split = box.left + (box.right - box.left) * label_letters / letters;
  Word label{text.substr(0, hyphen + 1), PictureRect{box.left, box.top, split, box.bottom}, words.front().bold};
  words.front() = Word{text.substr(hyphen + 1), PictureRect{split, box.top, box.right, box.bottom}, label.bold};
  words.insert(words.begin(), label);
}

}  // namespace

std::optional<std::string> labelRole(const std::string& word) {
  if (isDash(word)) return std::string("\u2014");
  if (word.size() < 2 || word.back() != ':') return std::nullopt;
  const std::string name = word.substr(0, word.size() - 1);
  if (!isName(name)) return std::nullopt;
  return name;
}

namespace {

struct LabelAt {
  std::string role;
  size_t words;  // how many of the line's first words it takes
};

// "Anna:", "—", "Anna :", "ANNA —", "ANNA -", "ANNA—", or a name in bold before plain words; or one
// of `names`, the names that start the lines of a dialogue printed without marks.
std::optional<LabelAt> leadingLabel(const std::vector<Word>& words, const std::set<std::string>& names = {}) {
  if (words.empty()) return std::nullopt;
  if (const auto role = labelRole(words[0].text)) return LabelAt{*role, 1};
  // A colon whose name the reader lost names no one, as a dash does.
  if (words[0].text == ":" && words.size() > 1) return LabelAt{"\u2014", 1};
  const std::string glued = withoutTrailingDashes(words[0].text);
  if (glued != words[0].text && isName(glued)) return LabelAt{glued, 1};
  if (!isName(words[0].text)) return std::nullopt;
  if (words.size() >= 2 && (words[1].text == ":" || isDash(words[1].text))) return LabelAt{words[0].text, 2};
  if (words[0].bold && (words.size() == 1 || !words[1].bold)) return LabelAt{words[0].text, 1};
  if (names.count(words[0].text) && words.size() > 1) return LabelAt{words[0].text, 1};
  return std::nullopt;
}

// Names without marks count as labels when two or more of them, each starting two lines or
// more, start most of the page's lines: a dialogue, not prose where "The" starts a few.
std::set<std::string> unmarkedNames(const std::vector<TextLine>& lines) {
  std::map<std::string, int> starts;
  int long_lines = 0;
  for (const TextLine& line : lines) {
    if (line.words.size() < 2) continue;
    ++long_lines;
    if (isName(line.words[0].text)) ++starts[line.words[0].text];
  }
  std::set<std::string> names;
  int covered = 0;
  for (const auto& [name, count] : starts)
    if (count >= 2) names.insert(name), covered += count;
  if (names.size() < 2 || covered * 10 < long_lines * 6) names.clear();
  return names;
}

}  // namespace

void findSpeakerLabels(std::vector<TextLine>& lines) {
  for (TextLine& line : lines) splitGluedLabel(line.words);
  const std::set<std::string> names = unmarkedNames(lines);
  std::map<std::string, int> starts;
  for (const TextLine& line : lines) {
    if (const auto label = leadingLabel(line.words, names)) ++starts[label->role];
  }
  const int pitch = typicalLinePitch(lines);
  int dash_turn = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    TextLine& line = lines[i];
    const auto label = leadingLabel(line.words, names);
    // A speaker heard once is still one when the line above is a dialogue line.
    const bool in_dialogue = i > 0 && lines[i - 1].label && !startsParagraph(lines, i, pitch);
    if (!label || (starts[label->role] < 2 && !in_dialogue)) continue;
    // Dash dialogues name no speaker: the turns alternate between two.
    const std::string name = label->role == "\u2014" ? "Speaker " + std::to_string(dash_turn++ % 2 + 1) : label->role;
    PictureRect box = line.words.front().box;
    for (size_t w = 1; w < label->words; ++w) box = unite(box, line.words[w].box);
    line.words.erase(line.words.begin(), line.words.begin() + static_cast<long>(label->words));
    // A label on a line of its own names the speaker of the line below.
    TextLine& turn = line.words.empty() && i + 1 < lines.size() && !leadingLabel(lines[i + 1].words, names) ? lines[i + 1] : line;
    turn.label = SpeakerLabel{name, box};
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
