#include "tools/zorva-lesson/propose/TextReader.h"

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

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

}  // namespace

std::string traineddataPackage(const std::string& language) {
  std::string name = language;
  std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c == '_' ? '-' : std::tolower(c); });
  return "tesseract-ocr-" + name;
}

void requireLanguage(const std::string& language) {
  std::stringstream codes(language);
  std::string code;
  while (std::getline(codes, code, '+')) {
    if (code.empty() || code.find_first_of("/.") != std::string::npos) {
      throw builder::BuildError("'" + language + "' is not a Tesseract language code such as eng, deu or spa");
    }
    if (!hasTraineddata(code)) {
      throw builder::BuildError("no text recognition data for language '" + code + "' is installed: install the " +
                                "Debian package " + traineddataPackage(code));
    }
  }
}

std::vector<TextLine> readPageText(const builder::RgbaImage& picture, const std::string& language,
                                   const std::function<void(int)>& progress) {
  requireLanguage(language);
  tesseract::TessBaseAPI api;
  if (api.Init(nullptr, language.c_str(), tesseract::OEM_LSTM_ONLY) != 0) {
    throw builder::BuildError("the text recogniser could not load language '" + language + "'");
  }
  api.SetVariable("debug_file", "/dev/null");
  api.SetImage(picture.rgba.data(), picture.width, picture.height, 4, picture.width * 4);
  api.SetSourceResolution(150);
  tesseract::ETEXT_DESC monitor;
  monitor.progress_callback2 = reportProgress;
  g_progress = &progress;
  const int failed = api.Recognize(&monitor);
  g_progress = nullptr;
  if (failed != 0) throw builder::BuildError("the text recogniser failed on the picture");

  std::vector<TextLine> lines;
  std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
  if (!it) return lines;
  bool new_line = true;
  do {
    if (it->Empty(tesseract::RIL_WORD)) continue;
    new_line = new_line || it->IsAtBeginningOf(tesseract::RIL_TEXTLINE);
    std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_WORD));
    int l = 0, t = 0, r = 0, b = 0;
    it->BoundingBox(tesseract::RIL_WORD, &l, &t, &r, &b);
    const Word word{text ? text.get() : "", PictureRect{l, t, r, b}};
    if (isNoise(word.text, it->Confidence(tesseract::RIL_WORD))) continue;
    if (new_line) lines.push_back(TextLine{{}, std::nullopt, word.box});
    new_line = false;
    lines.back().words.push_back(word);
    lines.back().box = unite(lines.back().box, word.box);
  } while (it->Next(tesseract::RIL_WORD));
  return lines;
}

}  // namespace zorva::propose
