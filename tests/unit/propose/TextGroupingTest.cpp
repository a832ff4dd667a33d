// From recognised lines to the page's items: the reading order of columns, speaker labels,
// print that is not read aloud, sentence ends, and the author's sentences found among misread words.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/zorva-lesson/propose/ReadingOrder.h"
#include "tools/zorva-lesson/propose/TextGrouping.h"

using namespace zorva::propose;

namespace {

constexpr int kCharPx = 10;
constexpr int kPitchPx = 40;

// Recognised lines as the text reader gives them: each word's box from its place in the line
// (10 pixels a character, 20 high); an empty string leaves a paragraph gap, a "|" a column's gutter.
std::vector<TextLine> page(const std::vector<std::string>& texts) {
  std::vector<TextLine> lines;
  for (size_t row = 0; row < texts.size(); ++row) {
    if (texts[row].empty()) continue;
    const int top = 40 + static_cast<int>(row) * kPitchPx;
    TextLine line;
    std::istringstream words(texts[row]);
    std::string word;
    int x = 40;
    while (words >> word) {
      if (word == "|") {
        x += 6 * kCharPx;
        continue;
      }
      line.words.push_back(Word{word, PictureRect{x, top, x + kCharPx * static_cast<int>(word.size()), top + 20}});
      x += kCharPx * (static_cast<int>(word.size()) + 1);
    }
    line.box = PictureRect{40, top, x - kCharPx, top + 20};
    lines.push_back(line);
  }
  return lines;
}


std::vector<std::string> textsOf(const std::vector<PageSentence>& sentences) {
  std::vector<std::string> texts;
  for (const PageSentence& s : sentences) texts.push_back((s.speaker ? s.speaker->role + "| " : "") + s.text);
  return texts;
}

std::vector<std::string> split(const std::vector<std::string>& lines) {
  return textsOf(groupText(inReadingOrder(page(lines)), {}).sentences);
}

}  // namespace

TEST(SentenceSplitter, SentencesEndAtPunctuationSpeakersGapsAndHeadings) {
  struct Row {
    const char* label;
    std::vector<std::string> lines;
    std::vector<std::string> expected;
  };
  const std::vector<Row> rows = {
      {"ends inside a line and across lines",
       {"Hoy es sábado. María va al mercado y", "compra pan. ¿Tienes hambre? ¡Sí!"},
       {"Hoy es sábado.", "María va al mercado y compra pan.", "¿Tienes hambre?", "¡Sí!"}},
      {"abbreviations and initials do not end a sentence",
       {"Dr. Braun trifft J. Weber z.B. am Bahnhof. Dann gehen sie."},
       {"Dr. Braun trifft J. Weber z.B. am Bahnhof.", "Dann gehen sie."}},
      {"a paragraph gap", {"Der Zug kommt um neun Uhr an und fährt", "gleich", "", "Wieder ab geht es."},
       {"Der Zug kommt um neun Uhr an und fährt gleich", "Wieder ab geht es."}},
      {"columns are read one after the other",
       {"Der Zug kommt | Am Abend sehen", "um neun an. | wir einen Film."},
       {"Der Zug kommt um neun an.", "Am Abend sehen wir einen Film."}},
      {"a dialogue turn is one item however many sentences it holds",
       {"Anna: Guten Morgen! Wie geht es dir?", "Ben: Gut, danke.", "Anna: Schön. Bis später!"},
       {"Anna| Guten Morgen! Wie geht es dir?", "Ben| Gut, danke.", "Anna| Schön. Bis später!"}},
      {"a heading with a colon is no speaker when its name starts one line only",
       {"Dialog: Im Café", "A: Einen Kaffee, bitte.", "B: Gern.", "A: Danke."},
       {"A| Einen Kaffee, bitte.", "B| Gern.", "A| Danke."}},
      {"labels with a spaced colon, a dash, a dash run in, and on their own line",
       {"Anna : Hallo!", "BEN \u2014 Hallo, Anna!", "ANNA - Wie geht's?", "BEN\u2014 Gut.", "Anna:", "Schön."},
       {"Anna| Hallo!", "BEN| Hallo, Anna!", "ANNA| Wie geht's?", "BEN| Gut.", "Anna| Schön."}},
      {"a label in capitals read into the turn's first word",
       {"A-Es ist halb elf.", "B-Hier, bitte.", "A-Danke."}, {"A| Es ist halb elf.", "B| Hier, bitte.", "A| Danke."}},
      {"a hyphenated name starting lines is no label",
       {"Jean-Pierre kommt.", "Jean-Pierre geht."}, {"Jean-Pierre kommt.", "Jean-Pierre geht."}},
      {"names without marks that start most lines",
       {"Anna Guten Morgen!", "Ben Hallo, Anna!", "Anna Wie geht's?", "Ben Gut, danke."},
       {"Anna| Guten Morgen!", "Ben| Hallo, Anna!", "Anna| Wie geht's?", "Ben| Gut, danke."}},
      {"dash turns alternate between two speakers",
       {"— Hola, ¿qué tal?", "— Muy bien.", "— Me alegro."},
       {"Speaker 1| Hola, ¿qué tal?", "Speaker 2| Muy bien.", "Speaker 1| Me alegro."}},
  };
  for (const Row& row : rows) EXPECT_EQ(split(row.lines), row.expected) << row.label;
}

TEST(TextGrouping, PrintThatIsNotReadAloudIsLeftOutAndListed) {
  const GroupedText grouped =
      groupText(page({"Lektion 3", "1. Der Zug kommt.", "2. Er fährt gleich wieder", "ab.", "", "", "", "", "24"}), {});
  EXPECT_EQ(textsOf(grouped.sentences), (std::vector<std::string>{"Der Zug kommt.", "Er fährt gleich wieder ab."}));
  std::vector<std::string> left_out;
  for (const UnreadPrint& print : grouped.left_out) left_out.push_back(print.kind + ": " + print.text);
  EXPECT_EQ(left_out, (std::vector<std::string>{"numbering: 1.", "numbering: 2.", "heading or caption: Lektion 3",
                                                "page number: 24"}));
}

TEST(SentenceMatcher, GivenSentencesFindTheirWordsThroughMisreadings) {
  // Misread letters, a word split in two, two words run together, a speck read as a word.
  const std::vector<TextLine> lines = page({"Tbe train leaves at nine. Pe ter buys", "a ticket. ~ Itis cold today."});
  const std::vector<PageSentence> found =
      groupText(lines, {"The train leaves at nine.", "Peter buys a ticket.", "It is cold today.", "Not there."}).sentences;
  ASSERT_EQ(found.size(), 4u);
  const auto boxes = [&](size_t line, std::vector<size_t> words) {
    std::vector<int> lefts;
    for (size_t w : words) lefts.push_back(lines[line].words[w].box.left);
    return lefts;
  };
  const auto lefts = [](const PageSentence& s) {
    std::vector<int> out;
    for (const PictureRect& box : s.word_boxes) out.push_back(box.left);
    return out;
  };
  EXPECT_EQ(lefts(found[0]), boxes(0, {0, 1, 2, 3, 4}));
  std::vector<int> second = boxes(0, {5, 6, 7});
  for (int left : boxes(1, {0, 1})) second.push_back(left);
  EXPECT_EQ(lefts(found[1]), second);
  EXPECT_EQ(lefts(found[2]), boxes(1, {3, 4, 5}));
  EXPECT_TRUE(found[3].word_boxes.empty()) << "a sentence not on the page has no area";
  EXPECT_EQ(found[1].text, "Peter buys a ticket.");
}

TEST(SentenceMatcher, ALabelInAGivenSentenceNamesTheRoleAndIsNotPartOfItsText) {
  const std::vector<TextLine> lines = page({"Amna: Hallo!", "BEN \u2014 Hallo, Anna!", "Amna: Wie geht's?"});
  const std::vector<PageSentence> found = groupText(lines, {"Anna: Hallo!", "Hallo, Anna!", "Wie geht's?"}).sentences;
  EXPECT_EQ(textsOf(found), (std::vector<std::string>{"Anna| Hallo!", "BEN| Hallo, Anna!", "Amna| Wie geht's?"}));
  ASSERT_EQ(found[1].word_boxes.size(), 2u);
}

TEST(TextGrouping, AHeadingInLargerPrintIsLeftOutAcrossTheGapBelowItButNotALineWithDescenders) {
  std::vector<TextLine> lines =
      page({"Lektion 5: Das Wochenende am Meer", "", "Der Film ist lang, aber sehr lustig. Eine", "Frau fragt."});
  for (Word& word : lines.front().words) word.box.top -= 8;
  const GroupedText grouped = groupText(lines, {});
  EXPECT_EQ(textsOf(grouped.sentences),
            (std::vector<std::string>{"Der Film ist lang, aber sehr lustig.", "Eine Frau fragt."}));
  ASSERT_EQ(grouped.left_out.size(), 1u);
  EXPECT_EQ(grouped.left_out.front().text, "Lektion 5: Das Wochenende am Meer");

  std::vector<TextLine> descenders = page({"Der Zug nach Berlin fährt um neun", "Uhr ab."});
  for (Word& word : descenders.front().words) word.box.bottom += word.text == "Zug" ? 6 : 0;
  EXPECT_EQ(textsOf(groupText(descenders, {}).sentences),
            std::vector<std::string>{"Der Zug nach Berlin fährt um neun Uhr ab."})
      << "a line's descenders are not larger print";
}
