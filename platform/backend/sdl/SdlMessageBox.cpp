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
// Placement hints that change nothing in a dialog SDL draws: MB_SETFOREGROUND, MB_TOPMOST.
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

Uint32 iconFor(unsigned icon) {
  switch (icon) {
    case 0x00: return 0;
    case 0x10: return SDL_MESSAGEBOX_ERROR;        // MB_ICONERROR / MB_ICONHAND / MB_ICONSTOP
    case 0x20: return SDL_MESSAGEBOX_INFORMATION;  // MB_ICONQUESTION: SDL has no question icon
    case 0x30: return SDL_MESSAGEBOX_WARNING;      // MB_ICONWARNING / MB_ICONEXCLAMATION
    case 0x40: return SDL_MESSAGEBOX_INFORMATION;  // MB_ICONINFORMATION / MB_ICONASTERISK
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
  plan.sdl_flags = iconFor(flags & kIconMask) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  plan.dismissed = escapeFor(choices);
  for (size_t i = 0; i < choices.size(); ++i) {
    Uint32 button_flags = 0;
    if (i == default_index) button_flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (choices[i].id == plan.dismissed) button_flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    plan.buttons.push_back(SDL_MessageBoxButtonData{button_flags, choices[i].id, choices[i].label});
  }
  return plan;
}

MessageBoxAnswer showMessageBox(const std::string& text, const std::string& caption, unsigned flags,
                                SDL_Window* owner) {
  const MessageBoxPlan plan = planMessageBox(flags);
  const SDL_MessageBoxData data{plan.sdl_flags,
                                owner,
                                caption.c_str(),
                                text.c_str(),
                                static_cast<int>(plan.buttons.size()),
                                plan.buttons.data(),
                                nullptr};
  // Each report also goes to standard error, where it can be copied after the box is gone.
  std::fprintf(stderr, "zorva: %s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) {
    std::fprintf(stderr, "zorva: the box could not be shown: %s\n", SDL_GetError());
    return plan.dismissed;
  }
  return pressed < 0 ? plan.dismissed : pressed;
}

}  // namespace zorva::platform
