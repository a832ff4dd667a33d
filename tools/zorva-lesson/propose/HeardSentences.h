// Whether each sentence was heard where the alignment put it. Every reader's voice and room
// matches the synthesis differently well, so a sentence's match is judged against decoys in the
// same stretch of the recording: the page's other sentences, stretched to its length, and every
// sentence said backwards. The reading of this sentence matches its own synthesis far better
// than any decoy; another text matches all of them about alike.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/zorva-lesson/propose/Aligner.h"

namespace zorva::propose {

// Below this many sentences the decoys are too few to judge by.
constexpr std::size_t kFewestJudgedSentences = 4;

// For each sentence, how many deviations of the decoys' distances its own distance lies below
// their mean (0 for a sentence the alignment gave no frames). Empty for fewer than
// kFewestJudgedSentences sentences.
std::vector<double> heardClarity(const std::vector<FeatureFrame>& recording, const Alignment& alignment,
                                 const std::vector<std::vector<FeatureFrame>>& said);

}  // namespace zorva::propose
