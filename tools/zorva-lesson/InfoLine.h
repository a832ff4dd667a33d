// The line of page information: Zorva draws it as 8-bit Windows-1252 text in its system font
// into an area 240 pixels wide, from x = 860 of its view.
#pragma once

#include <optional>
#include <string>

namespace zorva::builder {

// Of that area the learner sees only what lies inside the view: the window is at most 1024
// pixels wide and the view's sunken edge takes 2 on each side, so its client ends at x = 1020.
constexpr int kInfoShownWidthPx = 1020 - 860;
// Zorva draws the line into (860, 10)-(1100, 30) without clearing it first.
constexpr int kInfoAreaWidthPx = 1100 - 860;

// The text in Windows-1252, or nothing when a character has no place there; `refused` then
// holds the first such character.
std::optional<std::string> toWindows1252(const std::string& utf8, char32_t& refused);

// How wide Zorva draws the widest line of Windows-1252 text on a page, in pixels.
int infoWidthPx(const std::string& windows1252);

// The text with spaces after each line, so that it paints over the whole information area and
// no longer line of an earlier page shows beyond it.
std::string coverInfoArea(const std::string& windows1252);

}  // namespace zorva::builder
