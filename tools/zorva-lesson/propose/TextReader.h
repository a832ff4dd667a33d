// Reads the printed text of a page picture with Tesseract, following the page's layout: words
// with their boxes, line by line in reading order, each line in its block (a column, a caption,
// a heading), and bold words marked.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/Picture.h"
#include "tools/zorva-lesson/propose/PageText.h"
#include "tools/zorva-lesson/propose/StraightPage.h"

namespace zorva::propose {

// The Debian package that holds a Tesseract language's traineddata ("chi_sim" → tesseract-ocr-chi-sim).
std::string traineddataPackage(const std::string& language);

// Throws BuildError with the code to use when a language is given by its name ("english"), or
// naming the package to install when a language ("deu", "deu+eng") has no traineddata here.
void requireLanguage(const std::string& language);

// `progress` hears the recognition's percentage now and then. Words' boxes end where their ink does.
std::vector<TextLine> readPageText(const StraightPage& page, const std::string& language,
                                   const std::function<void(int)>& progress);

}  // namespace zorva::propose
