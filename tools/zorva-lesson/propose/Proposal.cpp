#include "tools/zorva-lesson/propose/Proposal.h"

#include <cstdio>

namespace zorva::propose {
namespace {

std::string corners(const PictureRect& r) {
  char text[64];
  std::snprintf(text, sizeof text, "[%d, %d, %d, %d]", r.left, r.top, r.right, r.bottom);
  return text;
}

std::string secondsText(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", s);
  return text;
}

}  // namespace

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void writeProposal(const Proposal& proposal, std::ostream& out) {
  out << "# Proposed by zorva-lesson propose: check each item's area and cut, then build.\n";
  out << "[[lesson.page]]\n";
  out << "picture = " << quoted(proposal.picture) << "\n";
  if (proposal.recording.empty() && !proposal.voice.empty()) out << "voice = " << quoted(proposal.voice) << "\n";
  for (const UnreadPrint& print : proposal.left_out)
    out << "# left out, not read aloud (" << print.kind << "): " << quoted(print.text) << "\n";
  for (const SpeechSpan& span : proposal.unlisted_speech) {
    out << "# speech on no sentence, left out: " << secondsText(span.start_s) << " to " << secondsText(span.end_s)
        << " s of " << quoted(proposal.recording) << "\n";
  }
  for (const ProposedItem& item : proposal.items) {
    out << "\n  [[lesson.page.item]]\n";
    if (item.rect) {
      out << "  rect = " << corners(*item.rect) << "\n";
    } else {
      out << "  # not found on the picture: measure its area\n  rect = [0, 0, 1, 1]\n";
    }
    if (item.speaker) {
      out << "  role = " << quoted(item.speaker->role) << "\n";
      out << "  role_rect = " << corners(item.speaker->box) << "\n";
    }
    if (item.cut && !item.cut->doubt.empty()) out << "  # listen to this cut: " << item.cut->doubt << "\n";
    if (item.cut) {
      out << "  audio = " << quoted(proposal.recording) << "\n";
      out << "  from = " << secondsText(item.cut->from_s) << "\n";
      out << "  to = " << secondsText(item.cut->to_s) << "\n";
      out << "  # say = " << quoted(item.text) << "\n";
    } else {
      out << "  say = " << quoted(item.text) << "\n";
    }
  }
}

}  // namespace zorva::propose
