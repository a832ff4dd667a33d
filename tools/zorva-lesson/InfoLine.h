// The line of page information: Zorva draws it as 8-bit Windows-1252 text in its system font
// into an area 240 pixels wide.
#pragma once

#include <optional>
#include <string>

namespace zorva::builder {

constexpr int kInfoAreaWidthPx = 240;

// The text in Windows-1252, or nothing when a character has no place there; `refused` then
// holds the first such character.
std::optional<std::string> toWindows1252(const std::string& utf8, char32_t& refused);

// How wide Zorva draws the widest line of Windows-1252 text on a page, in pixels.
int infoWidthPx(const std::string& windows1252);

}  // namespace zorva::builder
