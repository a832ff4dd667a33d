// The sentences the evaluation pages are made of: for each language, prose sentences for the
// text pages and lines of dialogue for the dialogue pages, with the speakers' names and voices.
#pragma once

#include <string>
#include <vector>

namespace zorva::evaluation {

struct LanguageTexts {
  std::string tesseract;  // the text reader's language code
  std::string voice;      // espeak-ng voice of the prose
  std::vector<std::string> headings;
  std::string exercise;  // an exercise's heading, "Exercise 4"
  std::string caption;   // a picture's caption
  std::vector<std::string> prose;
  std::vector<std::string> dialogue;
  std::vector<std::string> speakers[2];  // two pairs of names: {first pair}, {second pair}
  std::string speaker_voices[2];
};

const std::vector<LanguageTexts>& evaluationLanguages();

}  // namespace zorva::evaluation
