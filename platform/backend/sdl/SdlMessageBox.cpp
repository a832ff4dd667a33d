#include "platform/backend/sdl/SdlMessageBox.h"

#include <cstdio>
#include <stdexcept>

namespace zorva::platform {
namespace {

// The MB_* and ID* values of MessageBoxA.
constexpr unsigned kTypeMask = 0x0000000F;
constexpr unsigned kIconMask = 0x000000F0;
constexpr unsigned kDefMask = 0x00000F00;
constexpr unsigned kModeMask = 0x00003000;  // MB_APPLMODAL / MB_SYSTEMMODAL / MB_TASKMODAL
// Placement hints that change nothing in a box drawn over the program: MB_SETFOREGROUND, MB_TOPMOST.
constexpr unsigned kHarmless = 0x00010000 | 0x00040000;
enum : int { IdOk = 1, IdCancel = 2, IdAbort = 3, IdRetry = 4, IdIgnore = 5, IdYes = 6, IdNo = 7 };

struct Choice {
  int id;
  const char* label;
};

std::vector<Choice> choicesFor(unsigned type) {
  switch (type) {
    case 0: return {{IdOk, "OK"}};
    case 1: return {{IdOk, "OK"}, {IdCancel, "Cancel"}};
    case 2: return {{IdAbort, "Abort"}, {IdRetry, "Retry"}, {IdIgnore, "Ignore"}};
    case 3: return {{IdYes, "Yes"}, {IdNo, "No"}, {IdCancel, "Cancel"}};
    case 4: return {{IdYes, "Yes"}, {IdNo, "No"}};
    case 5: return {{IdRetry, "Retry"}, {IdCancel, "Cancel"}};
    default: throw std::invalid_argument("MessageBox: unsupported button type " + std::to_string(type));
  }
}

// The button Escape (and closing the box) stands for: Cancel where there is one, otherwise the
// answer that changes least (OK alone, No, Abort).
int escapeFor(const std::vector<Choice>& choices) {
  for (const Choice& c : choices) {
    if (c.id == IdCancel) return IdCancel;
  }
  for (const Choice& c : choices) {
    if (c.id == IdNo) return IdNo;
  }
  return choices.front().id;
}

MessageBoxIcon iconFor(unsigned icon) {
  switch (icon) {
    case 0x00: return MessageBoxIcon::None;
    case 0x10: return MessageBoxIcon::Error;        // MB_ICONERROR / MB_ICONHAND / MB_ICONSTOP
    case 0x20: return MessageBoxIcon::Question;     // MB_ICONQUESTION
    case 0x30: return MessageBoxIcon::Warning;      // MB_ICONWARNING / MB_ICONEXCLAMATION
    case 0x40: return MessageBoxIcon::Information;  // MB_ICONINFORMATION / MB_ICONASTERISK
    default: throw std::invalid_argument("MessageBox: unsupported icon flags " + std::to_string(icon));
  }
}

}  // namespace

MessageBoxPlan planMessageBox(unsigned flags) {
  const unsigned known = kTypeMask | kIconMask | kDefMask | kModeMask | kHarmless;
  if ((flags & ~known) != 0 || (flags & kModeMask) == kModeMask) {
    throw std::invalid_argument("MessageBox: unsupported flags " + std::to_string(flags & ~known));
  }
  const std::vector<Choice> choices = choicesFor(flags & kTypeMask);
  const size_t default_index = (flags & kDefMask) >> 8;  // MB_DEFBUTTON1..4 = 0x000..0x300
  if (default_index >= choices.size()) {
    throw std::invalid_argument("MessageBox: the default button does not exist");
  }
  MessageBoxPlan plan;
  plan.icon = iconFor(flags & kIconMask);
  plan.dismissed = escapeFor(choices);
  for (size_t i = 0; i < choices.size(); ++i) {
    plan.buttons.push_back(
        MessageBoxButton{choices[i].id, choices[i].label, i == default_index, choices[i].id == plan.dismissed});
  }
  return plan;
}

}  // namespace zorva::platform
