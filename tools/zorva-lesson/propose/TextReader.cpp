#include "tools/zorva-lesson/propose/TextReader.h"

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "tools/zorva-lesson/propose/LetterKey.h"
#include "tools/zorva-lesson/propose/ReadingOrder.h"

namespace zorva::propose {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> tessdataFolders() {
  std::vector<std::string> folders;
  if (const char* prefix = std::getenv("TESSDATA_PREFIX")) folders.push_back(prefix);
  for (const char* known : {"/usr/share/tesseract-ocr/5/tessdata", "/usr/share/tesseract-ocr/4.00/tessdata"}) {
    folders.push_back(known);
  }
  return folders;
}

bool hasTraineddata(const std::string& code) {
  for (const std::string& folder : tessdataFolders()) {
    if (fs::is_regular_file(fs::path(folder) / (code + ".traineddata"))) return true;
  }
  return false;
}

// The recogniser reports progress through a plain function; it reaches the caller's callback here.
const std::function<void(int)>* g_progress = nullptr;

constexpr double kBoldInk = 1.3;       // bold strokes darken this much more of a word's box at least
constexpr int kTallestWordHeights = 3;  // a word taller than this many usual word heights is misread
constexpr float kLeastRereadConfidence = 50;  // a misread area read again gives nonsense below this
constexpr int kLabelGapHeights = 2;  // a label stands at most this many of its heights left of its line

bool reportProgress(tesseract::ETEXT_DESC* monitor, int, int, int, int) {
  if (g_progress != nullptr) (*g_progress)(monitor->progress);
  return false;
}

// Recognition noise (specks, a stain) comes out as tiny words of no letters at all.
bool isNoise(const std::string& text, float confidence) {
  const bool has_letter = std::any_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || (static_cast<unsigned char>(c) & 0x80) != 0;
  });
  return text.empty() || (!has_letter && confidence < 40);
}

// The share of a word's box that is darker than halfway between its paper and its ink: thicker
// strokes darken more of the box.
double inkShare(const builder::RgbaImage& picture, const PictureRect& box) {
  std::vector<int> levels;
  for (int y = std::max(0, box.top); y < std::min(picture.height, box.bottom); ++y)
    for (int x = std::max(0, box.left); x < std::min(picture.width, box.right); ++x) {
      const uint8_t* p = &picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4];
      levels.push_back((p[0] * 3 + p[1] * 6 + p[2]) / 10);
    }
  if (levels.size() < 16) return 0;
  const auto [darkest, lightest] = std::minmax_element(levels.begin(), levels.end());
  const int middle = (*darkest + *lightest) / 2;
  const auto dark = std::count_if(levels.begin(), levels.end(), [&](int v) { return v < middle; });
  return static_cast<double>(dark) / static_cast<double>(levels.size());
}

void fitLineBoxes(std::vector<TextLine>& lines) {
  for (TextLine& line : lines) {
    if (line.words.empty()) continue;
    line.box = line.words.front().box;
    for (const Word& word : line.words) line.box = unite(line.box, word.box);
  }
}

bool isMarksOnly(const std::string& text) {
  const std::u32string letters = codePoints(text);
  return std::none_of(letters.begin(), letters.end(), isLetterOrDigit);
}

// A "word" several lines tall is a column of labels or a picture's edge read downwards; marks
// alone taller than the print (a "—" standing upright) are a rule or a smudge, often in a gutter.
std::vector<PictureRect> dropTallWords(std::vector<TextLine>& lines) {
  std::vector<int> heights;
  for (const TextLine& line : lines)
    for (const Word& word : line.words) heights.push_back(word.box.bottom - word.box.top);
  std::vector<PictureRect> tall;
  if (heights.empty()) return tall;
  std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
  const int tallest = heights[heights.size() / 2] * kTallestWordHeights;
  for (TextLine& line : lines) {
    std::erase_if(line.words, [&](const Word& word) {
      const int height = word.box.bottom - word.box.top;
      if (height > tallest) tall.push_back(word.box);
      return height > tallest || (height * 2 > tallest && isMarksOnly(word.text));
    });
  }
  fitLineBoxes(lines);
  std::erase_if(lines, [](const TextLine& line) { return line.words.empty(); });
  return tall;
}

void fitWordsToInk(const StraightPage& page, std::vector<TextLine>& lines) {
  for (TextLine& line : lines)
    for (Word& word : line.words) word.box = inkWithin(page, word.box);
  fitLineBoxes(lines);
}

// The recogniser's words, line by line, appended to `lines`; `least_confidence` drops doubtful ones.
void appendLines(tesseract::TessBaseAPI& api, float least_confidence, std::vector<TextLine>& lines) {
  std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
  if (!it) return;
  bool new_line = true;
  int block = lines.empty() ? -1 : lines.back().block;
  do {
    if (it->IsAtBeginningOf(tesseract::RIL_BLOCK)) ++block;
    if (it->Empty(tesseract::RIL_WORD)) continue;
    new_line = new_line || it->IsAtBeginningOf(tesseract::RIL_TEXTLINE);
    std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_WORD));
    int l = 0, t = 0, r = 0, b = 0;
    it->BoundingBox(tesseract::RIL_WORD, &l, &t, &r, &b);
    const Word word{text ? text.get() : "", PictureRect{l, t, r, b}};
    const float confidence = it->Confidence(tesseract::RIL_WORD);
    if (isNoise(word.text, confidence) || confidence < least_confidence) continue;
    if (new_line || lines.back().block != block) {
      lines.push_back(TextLine{{}, std::nullopt, word.box, block});
    }
    new_line = false;
    lines.back().words.push_back(word);
    lines.back().box = unite(lines.back().box, word.box);
  } while (it->Next(tesseract::RIL_WORD));
}

// A column of speaker labels ("A", "B", "A", ...) beside a dialogue is taken for one word as tall
// as the column and read as nonsense; read again on its own as a block of lines, its letters come
// out one a line.
std::vector<Word> rereadTallWords(tesseract::TessBaseAPI& api, std::vector<TextLine>& lines) {
  const std::vector<PictureRect> tall = dropTallWords(lines);
  std::vector<TextLine> again;
  api.SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
  for (const PictureRect& box : tall) {
    api.SetRectangle(box.left, box.top, box.right - box.left, box.bottom - box.top);
    if (api.Recognize(nullptr) == 0) appendLines(api, kLeastRereadConfidence, again);
  }
  std::vector<Word> words;
  for (const TextLine& line : again) words.insert(words.end(), line.words.begin(), line.words.end());
  return words;
}

// Each label read again starts the line it stands just left of; the layout was found without
// them, so a column of labels does not join a heading above to the dialogue.
void putBeside(std::vector<Word> labels, std::vector<TextLine>& lines) {
  for (Word& label : labels) {
    const int h = label.box.bottom - label.box.top;
    const auto beside = std::find_if(lines.begin(), lines.end(), [&](const TextLine& line) {
      const int overlap = std::min(line.box.bottom, label.box.bottom) - std::max(line.box.top, label.box.top);
      const int gap = line.box.left - label.box.right;
      return overlap * 2 > h && gap >= -2 && gap <= kLabelGapHeights * h;
    });
    if (beside == lines.end()) continue;
    beside->words.insert(beside->words.begin(), label);
    beside->box = unite(beside->box, label.box);
  }
}

// Bold print (a speaker's name, a heading) against the page's usual print.
void markBoldWords(const builder::RgbaImage& picture, std::vector<TextLine>& lines) {
  std::vector<double> shares;
  for (TextLine& line : lines)
    for (Word& word : line.words) shares.push_back(inkShare(picture, word.box));
  if (shares.size() < 4) return;
  std::vector<double> sorted = shares;
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
  const double usual = sorted[sorted.size() / 2];
  size_t i = 0;
  for (TextLine& line : lines)
    for (Word& word : line.words) word.bold = shares[i++] > usual * kBoldInk;
}

}  // namespace

std::string traineddataPackage(const std::string& language) {
  std::string name = language;
  std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c == '_' ? '-' : std::tolower(c); });
  return "tesseract-ocr-" + name;
}

namespace {

// The Tesseract code of a language given by its name ("english", "Deutsch" → "eng", "deu").
std::optional<std::string> codeOfLanguageName(const std::string& name) {
  // The names an author is likely to type: in English and in the language itself.
  static const std::map<std::string, std::string> kCodes = {
      {"english", "eng"},    {"german", "deu"},     {"deutsch", "deu"},   {"spanish", "spa"},
      {"espanol", "spa"},    {"español", "spa"},    {"castellano", "spa"}, {"french", "fra"},
      {"francais", "fra"},   {"français", "fra"},   {"italian", "ita"},   {"italiano", "ita"},
      {"portuguese", "por"}, {"português", "por"},  {"portugues", "por"}, {"dutch", "nld"},
      {"nederlands", "nld"}, {"polish", "pol"},     {"polski", "pol"},    {"russian", "rus"},
      {"swedish", "swe"},    {"svenska", "swe"},    {"danish", "dan"},    {"dansk", "dan"},
      {"norwegian", "nor"},  {"norsk", "nor"},      {"finnish", "fin"},   {"suomi", "fin"},
      {"czech", "ces"},      {"čeština", "ces"},    {"hungarian", "hun"}, {"magyar", "hun"},
      {"greek", "ell"},      {"turkish", "tur"},    {"türkçe", "tur"},    {"japanese", "jpn"},
      {"korean", "kor"},     {"chinese", "chi_sim"}};
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  const auto it = kCodes.find(lower);
  return it == kCodes.end() ? std::nullopt : std::optional<std::string>(it->second);
}

}  // namespace

void requireLanguage(const std::string& language) {
  std::stringstream codes(language);
  std::string code;
  while (std::getline(codes, code, '+')) {
    if (const auto known = codeOfLanguageName(code)) {
      throw builder::BuildError("'" + code + "' is a language's name: give its Tesseract code, --language " + *known);
    }
    if (code.empty() || code.find_first_of("/.") != std::string::npos) {
      throw builder::BuildError("'" + language + "' is not a Tesseract language code such as eng, deu or spa");
    }
    if (!hasTraineddata(code)) {
      throw builder::BuildError("no text recognition data for language '" + code + "' is installed: install the " +
                                "Debian package " + traineddataPackage(code));
    }
  }
}

std::vector<TextLine> readPageText(const StraightPage& page, const std::string& language,
                                   const std::function<void(int)>& progress) {
  const builder::RgbaImage& picture = page.picture;
  requireLanguage(language);
  tesseract::TessBaseAPI api;
  if (api.Init(nullptr, language.c_str(), tesseract::OEM_LSTM_ONLY) != 0) {
    throw builder::BuildError("the text recogniser could not load language '" + language + "'");
  }
  api.SetVariable("debug_file", "/dev/null");
  // The page's own layout: columns, text beside pictures and captions come as blocks of their own.
  api.SetPageSegMode(tesseract::PSM_AUTO);
  api.SetImage(picture.rgba.data(), picture.width, picture.height, 4, picture.width * 4);
  api.SetSourceResolution(150);
  tesseract::ETEXT_DESC monitor;
  monitor.progress_callback2 = reportProgress;
  g_progress = &progress;
  const int failed = api.Recognize(&monitor);
  g_progress = nullptr;
  if (failed != 0) throw builder::BuildError("the text recogniser failed on the picture");

  std::vector<TextLine> lines;
  appendLines(api, 0, lines);
  std::vector<Word> labels = rereadTallWords(api, lines);
  markBoldWords(picture, lines);
  fitWordsToInk(page, lines);
  std::vector<TextLine> ordered = inReadingOrder(lines);
  for (Word& label : labels) label.box = inkWithin(page, label.box);
  putBeside(std::move(labels), ordered);
  return ordered;
}

}  // namespace zorva::propose
