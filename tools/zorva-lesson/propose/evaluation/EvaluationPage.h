// One page of the evaluation set for `propose`: a page printed in one of the kinds of print
// course books use and then scanned (turned a little, blurred, tinted, noisy, JPEG-compressed),
// photographed (turned 2 to 4 degrees, unevenly lit, JPEG 60) or printed to a PDF; its recording
// spoken sentence after sentence; the author's list of its sentences; and the true sentence
// boxes and speech times beside them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/evaluation/EvaluationTexts.h"
#include "tools/zorva-lesson/propose/evaluation/PageComposer.h"
#include "tools/zorva-lesson/Picture.h"

namespace zorva::evaluation {

// The margin `propose` keeps around a sentence's words; the true boxes carry the same.
constexpr int kBoxMarginPx = 4;

struct TrueSentence {
  std::string text;
  PictureRect box;   // on the scan, in picture pixels
  std::string role;  // dialogue lines: the speaker
  double speech_start_s = 0;
  double speech_end_s = 0;
};

struct EvaluationPage {
  std::string name;        // "deu-2"
  std::string page_kind;   // the family of its print: "prose", "two columns", "PDF", ...
  std::string audio_kind;  // the family of its recording: "clean", ...
  std::string language;  // the text reader's code
  std::vector<TrueSentence> sentences;
  std::vector<std::string> list;   // the author's list, as given with --sentences
  Composition print;               // what was printed ...
  bool as_pdf = false;             // ... to a PDF page, or ...
  builder::RgbaImage scan;         // ... scanned (before JPEG compression, which writing applies)
  int jpeg_quality = 75;
  std::vector<int16_t> recording;  // 22,050 Hz mono
};

constexpr int kPagesPerLanguage = 9;

// Page `index` (0 to kPagesPerLanguage - 1) of a language: each index is one kind of page
// (pages 1 and 4 are dialogues). The same arguments give the same page.
EvaluationPage makeEvaluationPage(const LanguageTexts& texts, int index);

struct PageFiles {
  std::string picture;    // page.jpg, or page.png that `propose` writes from the PDF
  std::string pdf;        // page.pdf of a PDF page, which `propose` renders itself
  std::string recording;  // reading.mp3
  std::string sentences;  // sentences.txt, one a line
  std::string truth;      // truth.txt: box, role and speech times of each sentence
};

PageFiles writeEvaluationPage(const EvaluationPage& page, const std::filesystem::path& folder);

}  // namespace zorva::evaluation
