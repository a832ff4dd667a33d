#include "tools/zorva-lesson/propose/SentenceSplitter.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

#include "tools/zorva-lesson/propose/LetterKey.h"

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

bool isNumber(const std::string& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); });
}

// "1.", "12)", "b)": the number of an exercise's item.
bool isNumbering(const std::string& word) {
  if (word.size() < 2 || (word.back() != '.' && word.back() != ')')) return false;
  const std::string body = word.substr(0, word.size() - 1);
  return (isNumber(body) && body.size() <= 3) ||
         (word.back() == ')' && body.size() == 1 && std::islower(static_cast<unsigned char>(body[0])));
}

// The right edge of the text of line `i`'s block: a column's, not the page's.
int blockRight(const std::vector<TextLine>& lines, size_t i) {
  int right = 0;
  for (const TextLine& line : lines)
    if (line.block == lines[i].block) right = std::max(right, line.box.right);
  return right;
}

std::string joined(const std::vector<Word>& words) {
  std::string text;
  for (const Word& word : words) text += (text.empty() ? "" : " ") + word.text;
  return text;
}

// The size of a line's print: from its highest letter's top down to its baseline, where most
// words end, so a line of descenders is not taken for larger print.
int printHeight(const TextLine& line) {
  if (line.words.empty()) return 0;
  std::vector<int> bottoms;
  int top = line.words.front().box.top;
  for (const Word& word : line.words) bottoms.push_back(word.box.bottom), top = std::min(top, word.box.top);
  std::nth_element(bottoms.begin(), bottoms.begin() + bottoms.size() / 2, bottoms.end());
  return bottoms[bottoms.size() / 2] - top;
}

// A line that stands apart from the text around it, as a heading or a caption does: it starts
// afresh, ends without a sentence's end, and is alone in its block, or in larger or bold print,
// or short, above a paragraph's start or a capital.
bool standsAlone(const std::vector<TextLine>& lines, size_t i, int pitch) {
  const TextLine& line = lines[i];
  if (line.label || line.words.empty() || endsSentence(line.words.back().text)) return false;
  const bool fresh = startsParagraph(lines, i, pitch) || lines[i - 1].words.empty() ||
                     endsSentence(lines[i - 1].words.back().text);
  if (!fresh) return false;
  const bool last = i + 1 == lines.size() || startsParagraph(lines, i + 1, pitch);
  if (!last && (lines[i + 1].words.empty() || !startsWithCapital(lines[i + 1]))) return false;
  const bool first_in_block = i == 0 || lines[i - 1].block != line.block;
  const bool last_in_block = i + 1 == lines.size() || lines[i + 1].block != line.block;
  const bool alone = first_in_block && last_in_block;
  // A heading is larger than the line below it, also across the gap a heading leaves.
  const bool larger = i + 1 < lines.size() && printHeight(line) * 5 > printHeight(lines[i + 1]) * 6;
  const bool bold = std::all_of(line.words.begin(), line.words.end(), [](const Word& w) { return w.bold; });
  const bool short_line = line.box.right - line.box.left < (blockRight(lines, i) - line.box.left) * 7 / 10;
  return alone || larger || bold || short_line;
}

}  // namespace

std::vector<UnreadPrint> setAsideUnreadPrint(std::vector<TextLine>& lines) {
  std::vector<UnreadPrint> unread;
  for (TextLine& line : lines) {
    if (line.words.size() > 1 && isNumbering(line.words.front().text)) {
      unread.push_back(UnreadPrint{line.words.front().text, "numbering"});
      line.words.erase(line.words.begin());
    }
  }
  const int pitch = typicalLinePitch(lines);
  std::vector<bool> drop(lines.size(), false);
  for (size_t i = 0; i < lines.size(); ++i) {
    const TextLine& line = lines[i];
    const bool numbers = std::all_of(line.words.begin(), line.words.end(), [](const Word& w) { return isNumber(w.text); });
    if (!line.label && !line.words.empty() && numbers) {
      unread.push_back(UnreadPrint{joined(line.words), "page number"});
      drop[i] = true;
    } else if (standsAlone(lines, i, pitch)) {
      unread.push_back(UnreadPrint{joined(line.words), "heading or caption"});
      drop[i] = true;
    }
  }
  for (size_t i = 0; i < lines.size(); ++i)
    if (drop[i]) lines[i].words.clear();
  return unread;
}

std::vector<PageSentence> splitSentences(const std::vector<TextLine>& lines,
                                         const std::vector<std::optional<SpeakerLabel>>& speakers) {
  const int pitch = typicalLinePitch(lines);
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
    const bool short_line = line.box.right - line.box.left < (blockRight(lines, i) - line.box.left) * 7 / 10;
    if (short_line && i + 1 < lines.size() && !lines[i + 1].words.empty() && startsWithCapital(lines[i + 1])) {
      sentences.close();
    }
  }
  return sentences.take();
}

}  // namespace zorva::propose
