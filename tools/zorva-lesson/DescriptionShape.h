// The lesson description's size and nesting, checked before the TOML parser sees it: the parser
// descends once for every part of a dotted key and every nested value, so a small file of deep
// keys could exhaust the stack.
#pragma once

#include <string>
#include <string_view>

namespace zorva::builder {

// Throws BuildError at the line of the first key or value nested deeper than InputLimits.h allows.
void requireDescriptionShape(std::string_view text, const std::string& path);

// The description's text, at most kMaxDescriptionBytes and of a bounded shape; BuildError else.
std::string readBoundedDescription(const std::string& path);

}  // namespace zorva::builder
