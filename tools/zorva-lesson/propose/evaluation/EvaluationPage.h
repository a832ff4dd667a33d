// One page of the evaluation set for `propose`: a page laid out by the builder's own text
// layout and then "scanned" (turned a little, blurred, tinted, noisy, JPEG-compressed), and its
// recording spoken by espeak-ng sentence after sentence, with the true sentence boxes and speech
// times beside them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/evaluation/EvaluationTexts.h"
#include "tools/zorva-lesson/Picture.h"

namespace zorva::evaluation {

using builder::PictureRect;

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
  std::string page_kind;   // the family of its print: "prose", "dialogue", ...
  std::string audio_kind;  // the family of its recording: "clean", ...
  std::string language;  // the text reader's code
  std::vector<TrueSentence> sentences;
  builder::RgbaImage scan;         // before JPEG compression, which writing the page applies
  std::vector<int16_t> recording;  // 22,050 Hz mono
};

constexpr int kPagesPerLanguage = 5;

// Page `index` (0 to kPagesPerLanguage - 1) of a language: pages 1 and 3 are dialogues. The same
// arguments give the same page.
EvaluationPage makeEvaluationPage(const LanguageTexts& texts, int index);

struct PageFiles {
  std::string picture;    // page.jpg, or the picture `propose` writes from the PDF
  std::string pdf;        // page.pdf: a page printed to PDF, which `propose` renders itself
  std::string recording;  // reading.mp3
  std::string sentences;  // sentences.txt, one a line
  std::string truth;      // truth.txt: box, role and speech times of each sentence
};

PageFiles writeEvaluationPage(const EvaluationPage& page, const std::filesystem::path& folder);

}  // namespace zorva::evaluation
