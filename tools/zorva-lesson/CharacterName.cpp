#include "tools/zorva-lesson/CharacterName.h"

#include <glib.h>

namespace zorva::builder {

std::string describeCharacter(char32_t character) {
  char utf8[8] = {};
  g_unichar_to_utf8(character, utf8);
  char code[16];
  g_snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  return std::string("'") + utf8 + "' (" + code + ")";
}

}  // namespace zorva::builder
