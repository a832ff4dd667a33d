// The items proposed for one page, and how they are printed as a [[lesson.page]] of the
// builder's description.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/PageText.h"
#include "tools/zorva-lesson/propose/AlignedCuts.h"

namespace zorva::propose {

struct ProposedItem {
  std::string text;
  std::optional<PictureRect> rect;  // none: the sentence was not found on the picture
  std::optional<SpeakerLabel> speaker;
  std::optional<Cut> cut;
};

struct Proposal {
  std::string picture;    // as the description names it
  std::string recording;  // empty: the items speak their text
  std::string voice;      // the espeak-ng voice for spoken items, if one fits the language
  std::vector<ProposedItem> items;
  std::vector<UnreadPrint> left_out;  // print on the page that no item holds
  std::vector<SpeechSpan> unlisted_speech;  // in the recording, on no item
};

void writeProposal(const Proposal& proposal, std::ostream& out);

// A TOML basic string: quotes, backslashes and control characters escaped.
std::string quoted(const std::string& text);

}  // namespace zorva::propose
