// Text reduced to what survives recognition errors best: lower-case letters and digits only, as
// code points, so "¿Cuánto?" and "cuanto" compare letter by letter.
#pragma once

#include <string>

namespace zorva::propose {

std::u32string codePoints(const std::string& utf8);
bool isLetterOrDigit(char32_t c);
bool isUpperCase(char32_t c);
char32_t toLowerCase(char32_t c);
// The lower-case letters and digits of a text.
std::u32string letterKey(const std::string& utf8);

}  // namespace zorva::propose
