// The kinds of recording in the evaluation set: other voices and speeds, rooms (noise, reverb,
// hum and music), breaths and clicks, long pauses at commas, a title said before the sentences,
// and another page's reading. A page of any kind is read again in that kind.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"
#include "tools/zorva-lesson/propose/evaluation/Reading.h"

namespace zorva::evaluation {

struct AudioFamily {
  std::string name;
  ReadingStyle style;
  std::function<void(Reading&, std::mt19937&)> room;  // null: the reading as it is
  bool english_only = false;                          // flite's and festival's voices
};

const std::vector<AudioFamily>& audioFamilies();

// Whether the family's voice is installed and speaks the page's language.
bool familyReads(const AudioFamily& family, const LanguageTexts& texts);

// Replaces the page's recording, its sentences' speech times and its kind of recording.
void readAgain(EvaluationPage& page, const LanguageTexts& texts, const AudioFamily& family);

// Another page's reading, in Italian, to hand `propose` in place of the page's own.
std::vector<int16_t> anotherPagesReading();

}  // namespace zorva::evaluation
