#include "tools/zorva-lesson/propose/SentenceSplitter.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "tools/zorva-lesson/propose/LetterKey.h"
#include "tools/zorva-lesson/propose/SpeakerLabels.h"

namespace zorva::propose {
namespace {

bool isAbbreviation(const std::string& word) {
  static const std::set<std::string> kKnown = {"dr.", "mr.",  "mrs.",  "ms.",  "st.",  "z.b.", "usw.",  "bzw.",
                                               "sr.", "sra.", "srta.", "etc.", "e.g.", "i.e.", "vs.",   "nr.",
                                               "ca.", "d.h.", "mme.",  "m.",   "hr.",  "fr.",  "prof.", "no."};
  std::string lower = word;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (kKnown.count(lower)) return true;
  const std::u32string letters = codePoints(word);
  return letters.size() == 2 && isUpperCase(letters[0]);  // an initial: "J."
}

bool endsSentence(const std::string& word) {
  std::u32string letters = codePoints(word);
  while (!letters.empty() && (letters.back() == U'"' || letters.back() == U')' || letters.back() == U'\u201D' ||
                              letters.back() == U'\u00BB' || letters.back() == U'\u2019' || letters.back() == U'\'')) {
    letters.pop_back();
  }
  if (letters.empty()) return false;
  const char32_t last = letters.back();
  if (last == U'!' || last == U'?' || last == U'\u2026') return true;
  return last == U'.' && !isAbbreviation(word);
}

bool startsWithCapital(const TextLine& line) {
  for (char32_t c : codePoints(line.words.front().text)) {
    if (isLetterOrDigit(c)) return isUpperCase(c);
  }
  return true;  // "¿", "«" and the like open a sentence
}

class Collector {
 public:
  void add(const Word& word, const std::optional<SpeakerLabel>& speaker) {
    if (current_.word_boxes.empty()) current_.speaker = speaker;
    current_.text += (current_.text.empty() ? "" : " ") + word.text;
    current_.word_boxes.push_back(word.box);
  }
  void close() {
    if (!current_.word_boxes.empty()) done_.push_back(std::move(current_));
    current_ = PageSentence{};
  }
  std::vector<PageSentence> take() {
    close();
    return std::move(done_);
  }

 private:
  PageSentence current_;
  std::vector<PageSentence> done_;
};

}  // namespace

std::vector<PageSentence> splitSentences(const std::vector<TextLine>& lines) {
  const std::vector<std::optional<SpeakerLabel>> speakers = lineSpeakers(lines);
  const int pitch = typicalLinePitch(lines);
  int column_right = 0;
  for (const TextLine& line : lines) column_right = std::max(column_right, line.box.right);
  Collector sentences;
  for (size_t i = 0; i < lines.size(); ++i) {
    const TextLine& line = lines[i];
    if (line.words.empty()) continue;
    if (line.label || startsParagraph(lines, i, pitch)) sentences.close();
    for (const Word& word : line.words) {
      sentences.add(word, speakers[i]);
      if (!speakers[i] && endsSentence(word.text)) sentences.close();
    }
    if (speakers[i]) continue;
    const bool short_line = line.box.right - line.box.left < (column_right - line.box.left) * 7 / 10;
    if (short_line && i + 1 < lines.size() && !lines[i + 1].words.empty() && startsWithCapital(lines[i + 1])) {
      sentences.close();
    }
  }
  return sentences.take();
}

}  // namespace zorva::propose
