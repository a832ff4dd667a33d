#include "tools/zorva-lesson/FontPackages.h"

#include <glib.h>

namespace zorva::builder {

std::string fontPackageFor(char32_t character) {
  if ((character >= 0x1F300 && character <= 0x1FAFF) || (character >= 0x2600 && character <= 0x27BF)) {
    return "fonts-noto-color-emoji";
  }
  switch (g_unichar_get_script(character)) {
    case G_UNICODE_SCRIPT_HAN:
    case G_UNICODE_SCRIPT_HIRAGANA:
    case G_UNICODE_SCRIPT_KATAKANA:
    case G_UNICODE_SCRIPT_HANGUL:
    case G_UNICODE_SCRIPT_BOPOMOFO:
      return "fonts-noto-cjk";
    case G_UNICODE_SCRIPT_THAI:
      return "fonts-thai-tlwg";
    default:
      return "fonts-noto-core";
  }
}

}  // namespace zorva::builder
