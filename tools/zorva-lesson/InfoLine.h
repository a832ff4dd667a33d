// The line of page information: Zorva draws it as 8-bit Windows-1252 text in its system font
// into its information area (tools/lessonkit/FileLayout.h).
#pragma once

#include <optional>
#include <string>

#include "tools/lessonkit/FileLayout.h"

namespace zorva::builder {

// Of that area the learner sees only what lies inside the view: the view's sunken edge takes 2
// pixels on each side of the widest window.
constexpr int kInfoShownWidthPx = lessonkit::kViewWidth - 2 * 2 - lessonkit::kInfoLeft;
// Zorva draws the line into its information area without clearing it first.
constexpr int kInfoAreaWidthPx = lessonkit::kInfoRight - lessonkit::kInfoLeft;

// The text in Windows-1252, or nothing when a character has no place there; `refused` then
// holds the first such character.
std::optional<std::string> toWindows1252(const std::string& utf8, char32_t& refused);

// How wide Zorva draws the widest line of Windows-1252 text on a page, in pixels.
int infoWidthPx(const std::string& windows1252);

// The text with spaces after each line, so that it paints over the whole information area and
// no longer line of an earlier page shows beyond it.
std::string coverInfoArea(const std::string& windows1252);

}  // namespace zorva::builder
