// How messages name a character: itself and its code point, e.g. 'Ω' (U+03A9).
#pragma once

#include <string>

namespace zorva::builder {

std::string describeCharacter(char32_t character);

}  // namespace zorva::builder
