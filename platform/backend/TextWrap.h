// Breaking text into lines that fit a width, for whatever measures it: the dialogs drawn above
// the seam and the message boxes a desktop draws.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zorva::platform {

// Breaks `text` into lines no wider than `width` pixels at spaces (and at its own line breaks);
// a word wider than the line stands on a line of its own. `measure` gives a line's width.
std::vector<std::string> wrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure);

}  // namespace zorva::platform
