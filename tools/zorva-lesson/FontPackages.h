// Which Debian font package to suggest for a character that no installed font has.
#pragma once

#include <string>

namespace zorva::builder {

// A package that covers the character's script: fonts-noto-cjk for Chinese, Japanese and
// Korean, fonts-thai-tlwg for Thai, fonts-noto-color-emoji for emoji, fonts-noto-core for the
// other scripts.
std::string fontPackageFor(char32_t character);

}  // namespace zorva::builder
