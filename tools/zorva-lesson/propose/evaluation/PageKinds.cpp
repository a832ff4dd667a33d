#include "tools/zorva-lesson/propose/evaluation/PageKinds.h"

#include <algorithm>
#include <cctype>

namespace zorva::evaluation {
namespace {

constexpr int kMargin = 50;
constexpr int kBodyWidth = kComposedWidth - 2 * kMargin;
constexpr int kParagraphGap = 14;

std::vector<std::string> drawn(std::vector<std::string> pool, size_t count, std::mt19937& random) {
  std::shuffle(pool.begin(), pool.end(), random);
  pool.resize(std::min(count, pool.size()));
  return pool;
}

int between(int low, int high, std::mt19937& random) { return std::uniform_int_distribution<int>(low, high)(random); }

class Printer {
 public:
  explicit Printer(Script& script) : script_(script) {}
  int y = kMargin;

  // A block of print that is not read aloud, stacked at `y`.
  void unread(const std::string& text, int left, int width, double size, bool bold, bool italic = false) {
    place(TextBlock{left, y, width, size, bold, italic, {Span{text, -1, false}}});
  }
  // A paragraph of read sentences, each with its voice.
  void paragraph(const std::vector<std::string>& sentences, int left, int width, double size) {
    TextBlock block{left, y, width, size, false, false, {}};
    for (const std::string& s : sentences) block.spans.push_back(Span{s, read(s, "", 0), false});
    place(block);
  }
  int read(const std::string& text, const std::string& role, int voice) {
    script_.spoken.push_back(text);
    script_.roles.push_back(role);
    script_.voices.push_back(voice);
    return static_cast<int>(script_.spoken.size()) - 1;
  }
  void place(TextBlock block, int gap = kParagraphGap) {
    block.top = y;
    y += blockHeight(block) + gap;
    script_.print.blocks.push_back(std::move(block));
  }
  void pageNumber(std::mt19937& random) {
    const int number = between(8, 140, random);
    const bool top = number % 2 == 0;
    TextBlock block{kComposedWidth / 2 - 15, top ? 18 : y + 20, 60, 16, false, false,
                    {Span{std::to_string(number), -1, false}}};
    script_.print.blocks.push_back(block);
  }

 private:
  Script& script_;
};

// Sentences in paragraphs of one to three.
std::vector<std::vector<std::string>> paragraphs(const LanguageTexts& texts, int count, std::mt19937& random) {
  std::vector<std::vector<std::string>> out;
  for (const std::string& s : drawn(texts.prose, static_cast<size_t>(count), random)) {
    if (out.empty() || static_cast<int>(out.back().size()) >= between(1, 3, random)) out.emplace_back();
    out.back().push_back(s);
  }
  return out;
}

void prose(Printer& p, const LanguageTexts& texts, std::mt19937& random) {
  p.unread(texts.headings[0], kMargin, kBodyWidth, 28, true);
  for (const auto& group : paragraphs(texts, between(6, 12, random), random)) p.paragraph(group, kMargin, kBodyWidth, 21);
  p.pageNumber(random);
}

void twoColumns(Printer& p, const LanguageTexts& texts, std::mt19937& random) {
  p.unread(texts.headings[1], kMargin, kBodyWidth, 28, true);
  const int top = p.y, width = (kBodyWidth - 30) / 2;
  const auto groups = paragraphs(texts, between(10, 14, random), random);
  int bottom = top;
  for (size_t g = 0; g < groups.size(); ++g) {
    if (g == (groups.size() + 1) / 2) bottom = p.y, p.y = top;  // the second column
    p.paragraph(groups[g], g < (groups.size() + 1) / 2 ? kMargin : kMargin + width + 30, width, 19);
  }
  p.y = std::max(bottom, p.y);
  p.pageNumber(random);
}

void pictureCaption(Script& script, Printer& p, const LanguageTexts& texts, std::mt19937& random) {
  p.unread(texts.headings[2], kMargin, kBodyWidth, 28, true);
  const int picture_left = 440, top = p.y;
  const PictureRect picture{picture_left, top, kComposedWidth - kMargin, top + 190};
  script.print.pictures.push_back(picture);
  const auto groups = paragraphs(texts, between(7, 11, random), random);
  p.paragraph(groups[0], kMargin, picture_left - kMargin - 30, 20);
  const int beside = p.y;
  p.y = picture.bottom + 6;
  p.unread(texts.caption, picture_left, picture.right - picture_left, 15, false, true);
  p.y = std::max(p.y, beside);
  for (size_t g = 1; g < groups.size(); ++g) p.paragraph(groups[g], kMargin, kBodyWidth, 20);
  p.pageNumber(random);
}

void exercise(Printer& p, const LanguageTexts& texts, std::mt19937& random) {
  p.unread(texts.headings[0], kMargin, kBodyWidth, 26, true);
  p.unread(texts.exercise, kMargin, kBodyWidth, 22, true);
  int number = 1;
  for (const std::string& s : drawn(texts.prose, static_cast<size_t>(between(5, 8, random)), random)) {
    TextBlock item{kMargin, 0, kBodyWidth, 20, false, false, {Span{std::to_string(number++) + ".", -1, true}}};
    item.spans.push_back(Span{s, p.read(s, "", 0), false});
    p.place(item, 10);
  }
  p.pageNumber(random);
}

void mixedSizes(Printer& p, const LanguageTexts& texts, std::mt19937& random) {
  p.unread(texts.headings[1], kMargin, kBodyWidth, 32, true);
  const auto groups = paragraphs(texts, between(7, 11, random), random);
  const double sizes[] = {26, 19, 22, 16};
  for (size_t g = 0; g < groups.size(); ++g) p.paragraph(groups[g], kMargin, kBodyWidth, sizes[g % 4]);
  p.pageNumber(random);
}

std::string upper(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
  return name;
}

void dialogue(Printer& p, const LanguageTexts& texts, int style, std::mt19937& random) {
  p.unread(texts.headings[1], kMargin, kBodyWidth, 26, true);
  const std::vector<std::string>& names = texts.speakers[style % 2];
  int turn = 0;
  for (const std::string& line : drawn(texts.dialogue, static_cast<size_t>(between(6, 10, random)), random)) {
    const std::string& name = names[turn % 2];
    const std::string labels[] = {name + ":", name + " :", upper(name) + " \u2014", upper(name) + " -", name, name + ":"};
    const Span label{labels[style], -1, style >= 4};
    const Span said{line, p.read(line, name, 1 + turn % 2), false};
    if (style == 5) {
      p.place(TextBlock{kMargin, 0, kBodyWidth, 20, false, false, {label}}, 2);
      p.place(TextBlock{kMargin, 0, kBodyWidth, 20, false, false, {said}}, 12);
    } else {
      p.place(TextBlock{kMargin, 0, kBodyWidth, 20, false, false, {label, said}}, 8);
    }
    ++turn;
  }
  p.pageNumber(random);
}

// One careless change that fits the sentence, if any does.
std::string carelessly(std::string s, std::mt19937& random) {
  const auto replace = [&](const std::string& from, const std::string& to) {
    const size_t at = s.find(from);
    if (at == std::string::npos) return false;
    s.replace(at, from.size(), to);
    return true;
  };
  switch (between(0, 4, random)) {
    case 0:
      if (replace("\u00DF", "ss") || replace("\u00BF", "") || replace("\u00A1", "")) break;
      [[fallthrough]];
    case 1:
      if (replace("'", "\u2019")) break;
      [[fallthrough]];
    case 2:
      if (s.size() > 2 && (s.back() == '.' || s.back() == '!')) {
        s.pop_back();
        break;
      }
      [[fallthrough]];
    default:
      for (size_t i = s.size() / 2; i + 1 < s.size(); ++i) {
        if (std::isalpha(static_cast<unsigned char>(s[i])) && std::isalpha(static_cast<unsigned char>(s[i + 1]))) {
          std::swap(s[i], s[i + 1]);
          break;
        }
      }
  }
  return s;
}

}  // namespace

const char* printKindName(PrintKind kind) {
  switch (kind) {
    case PrintKind::kProse: return "prose";
    case PrintKind::kDialogue: return "dialogue";
    case PrintKind::kTwoColumns: return "two columns";
    case PrintKind::kPictureCaption: return "picture, caption";
    case PrintKind::kExercise: return "numbered exercise";
    case PrintKind::kMixedSizes: return "mixed font sizes";
  }
  return "";
}

Script printedPage(PrintKind kind, const LanguageTexts& texts, int style, std::mt19937& random) {
  Script script;
  Printer p(script);
  switch (kind) {
    case PrintKind::kProse: prose(p, texts, random); break;
    case PrintKind::kDialogue: dialogue(p, texts, style, random); break;
    case PrintKind::kTwoColumns: twoColumns(p, texts, random); break;
    case PrintKind::kPictureCaption: pictureCaption(script, p, texts, random); break;
    case PrintKind::kExercise: exercise(p, texts, random); break;
    case PrintKind::kMixedSizes: mixedSizes(p, texts, random); break;
  }
  return script;
}

std::vector<std::string> authorsList(const Script& script, bool sloppy, std::mt19937& random) {
  std::vector<std::string> list;
  for (size_t s = 0; s < script.spoken.size(); ++s) {
    const std::string text = sloppy ? carelessly(script.spoken[s], random) : script.spoken[s];
    list.push_back(script.roles[s].empty() ? text : script.roles[s] + ": " + text);
  }
  return list;
}

}  // namespace zorva::evaluation
