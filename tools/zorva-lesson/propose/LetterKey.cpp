#include "tools/zorva-lesson/propose/LetterKey.h"

namespace zorva::propose {

std::u32string codePoints(const std::string& utf8) {
  std::u32string out;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    size_t j = i + 1;
    for (; j < utf8.size() && j <= i + static_cast<size_t>(extra); ++j) c = (c << 6) | (utf8[j] & 0x3F);
    out.push_back(c);
    i = j;
  }
  return out;
}

// Latin script is what the course books use; other scripts count as letters without case.
bool isLetterOrDigit(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  if (c < 0xC0) return false;  // Latin-1 punctuation and signs: ¿ ¡ « » – …
  if (c == 0xD7 || c == 0xF7) return false;
  return !(c >= 0x2000 && c <= 0x2BFF);  // general punctuation, arrows, dashes
}

bool isUpperCase(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x100 && c < 0x180 && c % 2 == 0);
}

char32_t toLowerCase(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c >= 0x100 && c < 0x180 && c % 2 == 0) return c + 1;
  return c;
}

std::u32string letterKey(const std::string& utf8) {
  std::u32string key;
  for (char32_t c : codePoints(utf8)) {
    if (isLetterOrDigit(c)) key.push_back(toLowerCase(c));
  }
  return key;
}

}  // namespace zorva::propose
