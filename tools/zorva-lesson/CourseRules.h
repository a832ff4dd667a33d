// What Zorva shows cleanly, said once: `build` refuses what breaks a rule before it writes
// anything, and `check` refuses the same in a written folder, both in the words given here.
// A limit is one row of kLimits; a new bound on an input joins it as another row.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/lessonkit/FileLayout.h"

namespace zorva::builder {

// Zorva's view on the largest frame it opens, and where it places its pictures in it.
constexpr int kViewWidthPx = lessonkit::kViewWidth;
constexpr int kViewHeightPx = lessonkit::kViewHeight;
constexpr int kPictureLeftPx = 110;
constexpr int kPageTopPx = -20;  // a page picture's top 20 rows lie above the view
constexpr int kTitleTopPx = 0;

// A picture that reaches the view's right and bottom edges covers whatever an earlier screen
// left there: Zorva draws each picture over the last without clearing.
constexpr int kTitleWidthPx = kViewWidthPx - kPictureLeftPx;
constexpr int kTitleHeightPx = kViewHeightPx - kTitleTopPx;
constexpr int kPageWidthPx = kViewWidthPx - kPictureLeftPx;
constexpr int kPageHeightPx = kViewHeightPx - kPageTopPx;

// An area the learner clicks to choose a role must be found and hit without probing.
constexpr int kRoleAreaMinWidthPx = 20;
constexpr int kRoleAreaMinHeightPx = 16;

enum class Bound { AtMost, AtLeast };

// One limit on a measured value; `subject` names what was measured ("the page picture's width").
struct Limit {
  std::string_view subject;
  Bound bound;
  uint64_t value;
  std::string_view unit;  // "pixels", "Hz", "MB"
  std::string_view why;   // what Zorva does that makes the limit
};

enum class LimitId { TitleWidth, TitleHeight, PageWidth, PageHeight, PageFileMegabytes, SoundRate, Count };

const Limit& limit(LimitId id);

// The refusal when `measured` breaks the limit, else nothing.
std::optional<std::string> judge(LimitId id, uint64_t measured);

// Rules that are not a bound on one number.
std::string missingFirstPageWords();                  // a course without lesson 1's first page
std::string noSamplesWords(const std::string& sound);  // a sound file that holds no samples
// A cut whose `from` or `to` (seconds) lies past the end of a sound `length_s` long.
std::string cutPastEndWords(std::string_view key, double at_s, const std::string& sound, double length_s);

}  // namespace zorva::builder
