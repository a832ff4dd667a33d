#include "tools/zorva-lesson/propose/SentenceMatcher.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>

#include "tools/zorva-lesson/propose/LetterKey.h"
#include "tools/zorva-lesson/propose/SpeakerLabels.h"

namespace zorva::propose {
namespace {

struct LetterOf {
  char32_t letter;
  int owner;  // a word index (recognised side) or a sentence index (given side)
};

std::vector<LetterOf> lettersOf(const std::vector<std::string>& texts) {
  std::vector<LetterOf> letters;
  for (size_t i = 0; i < texts.size(); ++i) {
    for (char32_t c : letterKey(texts[i])) letters.push_back(LetterOf{c, static_cast<int>(i)});
  }
  return letters;
}

// For each letter of `a`, the index of the letter of `b` it is aligned with (matched or
// substituted), or -1 where the alignment skips it. Plain edit distance with a full traceback:
// a page has a few thousand letters, so the table stays a few megabytes.
std::vector<int> alignLetters(const std::vector<LetterOf>& a, const std::vector<LetterOf>& b) {
  const size_t n = a.size(), m = b.size();
  enum Step : uint8_t { kDiagonal, kSkipA, kSkipB };
  std::vector<uint8_t> steps((n + 1) * (m + 1));
  std::vector<int> previous(m + 1), current(m + 1);
  for (size_t j = 0; j <= m; ++j) {
    previous[j] = static_cast<int>(j);
    steps[j] = kSkipB;
  }
  for (size_t i = 1; i <= n; ++i) {
    current[0] = static_cast<int>(i);
    steps[i * (m + 1)] = kSkipA;
    for (size_t j = 1; j <= m; ++j) {
      const int diagonal = previous[j - 1] + (a[i - 1].letter == b[j - 1].letter ? 0 : 1);
      const int skip_a = previous[j] + 1;
      const int skip_b = current[j - 1] + 1;
      int best = diagonal;
      uint8_t step = kDiagonal;
      if (skip_a < best) best = skip_a, step = kSkipA;
      if (skip_b < best) best = skip_b, step = kSkipB;
      current[j] = best;
      steps[i * (m + 1) + j] = step;
    }
    std::swap(previous, current);
  }
  std::vector<int> partner(n, -1);
  size_t i = n, j = m;
  while (i > 0 && j > 0) {
    const uint8_t step = steps[i * (m + 1) + j];
    if (step == kDiagonal) {
      partner[--i] = static_cast<int>(--j);
    } else if (step == kSkipA) {
      --i;
    } else {
      --j;
    }
  }
  return partner;
}

std::string withoutLabel(const std::string& sentence, std::optional<std::string>& role) {
  const size_t space = sentence.find(' ');
  if (space == std::string::npos) return sentence;
  role = labelRole(sentence.substr(0, space));
  if (!role) return sentence;
  return sentence.substr(sentence.find_first_not_of(' ', space));
}

// Each recognised word goes to the sentence most of its aligned letters belong to, if enough of
// its letters agree with that sentence's: the words of each sentence, in reading order.
std::vector<std::vector<size_t>> wordsOfSentences(const std::vector<std::string>& word_texts,
                                                  const std::vector<std::string>& texts) {
  const std::vector<LetterOf> read = lettersOf(word_texts);
  const std::vector<LetterOf> wanted = lettersOf(texts);
  const std::vector<int> partner = alignLetters(read, wanted);
  std::vector<std::map<int, int>> votes(word_texts.size());
  std::vector<int> letters_in_word(word_texts.size(), 0);
  for (size_t i = 0; i < read.size(); ++i) {
    ++letters_in_word[read[i].owner];
    if (partner[i] >= 0 && wanted[partner[i]].letter == read[i].letter)
      ++votes[read[i].owner][wanted[partner[i]].owner];
  }
  std::vector<std::vector<size_t>> words_of(texts.size());
  for (size_t w = 0; w < word_texts.size(); ++w) {
    if (votes[w].empty()) continue;
    const auto best = std::max_element(votes[w].begin(), votes[w].end(),
                                       [](const auto& x, const auto& y) { return x.second < y.second; });
    if (best->second * 5 >= letters_in_word[w] * 2) words_of[static_cast<size_t>(best->first)].push_back(w);
  }
  return words_of;
}

struct WordAt {
  size_t line;
  size_t word;
};

// The speaker of a sentence whose first word is `word` of `line`: the list's name, where the
// printed label stands (or the words before the sentence on its line); without a name in the
// list, the printed label.
std::optional<SpeakerLabel> speakerOf(const TextLine& line, size_t word, const std::optional<SpeakerLabel>& printed,
                                      const std::optional<std::string>& listed) {
  if (!listed || *listed == "\u2014") return printed;  // a dash names no one
  if (printed) return SpeakerLabel{*listed, printed->box};
  PictureRect box = line.words[0].box;
  for (size_t w = 1; w < word; ++w) box = unite(box, line.words[w].box);
  return SpeakerLabel{*listed, box};
}

}  // namespace

std::vector<PageSentence> matchSentences(const std::vector<TextLine>& lines,
                                         const std::vector<std::optional<SpeakerLabel>>& speakers,
                                         const std::vector<std::string>& given) {
  std::vector<WordAt> where;
  std::vector<std::string> word_texts;
  for (size_t l = 0; l < lines.size(); ++l) {
    for (size_t w = 0; w < lines[l].words.size(); ++w) {
      where.push_back(WordAt{l, w});
      word_texts.push_back(lines[l].words[w].text);
    }
  }
  std::vector<PageSentence> sentences(given.size());
  std::vector<std::string> texts(given.size());
  std::vector<std::optional<std::string>> roles(given.size());
  for (size_t s = 0; s < given.size(); ++s) {
    texts[s] = withoutLabel(given[s], roles[s]);
    sentences[s].text = texts[s];
  }
  const std::vector<std::vector<size_t>> words_of = wordsOfSentences(word_texts, texts);
  for (size_t s = 0; s < given.size(); ++s) {
    // A sentence's area lies in one block: the column that holds most of its words.
    std::map<int, int> in_block;
    for (size_t w : words_of[s]) ++in_block[lines[where[w].line].block];
    if (in_block.empty()) continue;
    const int block = std::max_element(in_block.begin(), in_block.end(), [](const auto& x, const auto& y) {
                        return x.second < y.second;
                      })->first;
    for (size_t w : words_of[s]) {
      const TextLine& line = lines[where[w].line];
      if (line.block != block) continue;
      if (sentences[s].word_boxes.empty())
        sentences[s].speaker = speakerOf(line, where[w].word, speakers[where[w].line], roles[s]);
      sentences[s].word_boxes.push_back(line.words[where[w].word].box);
    }
  }
  return sentences;
}

std::vector<std::string> readSentenceFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw builder::BuildError("can't read the sentence file " + path);
  std::vector<std::string> sentences;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    if (line.find_first_not_of(" \t") != std::string::npos) sentences.push_back(line);
  }
  if (sentences.empty()) throw builder::BuildError("the sentence file " + path + " holds no sentence");
  return sentences;
}

}  // namespace zorva::propose
