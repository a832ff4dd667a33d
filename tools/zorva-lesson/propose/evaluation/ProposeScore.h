// How well a proposal matches an evaluation page's truth.
#pragma once

#include <vector>

#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"
#include "tools/zorva-lesson/propose/Proposal.h"

namespace zorva::evaluation {

struct Score {
  int pages_failed = 0;  // no proposal at all
  int sentences = 0;
  int found = 0;                      // a proposed item covers the sentence with IoU >= 0.5
  int boxes_right = 0;                // IoU >= 0.8
  std::vector<double> cut_errors_ms;  // |from - true from| and |to - true to| of found sentences
  int cuts_into_speech = 0;           // a cut inside the sentence's own speech or its neighbours'
  int bad_cuts = 0;                   // items with a cut point off by more than half a second ...
  int bad_cuts_marked = 0;            // ... that say "# listen to this cut"
  int dialogue_lines = 0;
  int roles_right = 0;
  std::vector<double> page_seconds;      // wall-clock time of each page's proposal ...
  std::vector<double> page_cpu_seconds;  // ... and the processor time it took
  void add(const Score& other);
  // How many cut points are off by more than `ms`.
  int cutsOffBy(double ms) const;
};

double intersectionOverUnion(const builder::PictureRect& a, const builder::PictureRect& b);

// With the author's sentences, item i is sentence i; otherwise items are paired with sentences
// by best overlap.
Score scoreProposal(const EvaluationPage& page, const propose::Proposal& proposal, bool given_sentences);

// The cuts alone, item i taken for sentence i: for cutters that know nothing of the print.
Score scoreCuts(const EvaluationPage& page, const propose::Proposal& proposal);

}  // namespace zorva::evaluation
