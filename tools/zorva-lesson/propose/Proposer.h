// Proposes the items of one book page: reads its text, groups it into sentences (or finds the
// author's sentences in it), and cuts each sentence out of the page's recording.
#pragma once

#include <string>

#include "tools/zorva-lesson/propose/Progress.h"
#include "tools/zorva-lesson/propose/Proposal.h"

namespace zorva::propose {

struct ProposeRequest {
  std::string picture;  // the picture to read, or with `pdf` the picture to write
  std::string pdf;
  int pdf_page = 0;
  std::string recording;         // optional
  std::string language = "eng";  // Tesseract's code: eng, deu, spa, fra, ...
  std::string sentences;         // optional: a file of one sentence a line
};

// The espeak-ng voice for a Tesseract language, or empty when none is known.
std::string voiceForLanguage(const std::string& language);

// Throws BuildError with the reason when no proposal can be made.
Proposal proposePage(const ProposeRequest& request, Progress& progress);

}  // namespace zorva::propose
