#include "tools/zorva-lesson/InfoLine.h"

#include <glib.h>
#include <windows.h>

#include <algorithm>

namespace zorva::builder {
namespace {

// Windows-1252 bytes 0x80..0x9F; the other bytes stand for the Latin-1 characters of their value.
constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> byteFor(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  const auto* at = std::find(std::begin(kHigh), std::end(kHigh), c);
  if (c != 0 && at != std::end(kHigh)) return static_cast<char>(0x80 + (at - kHigh));
  return std::nullopt;
}

}  // namespace

std::optional<std::string> toWindows1252(const std::string& utf8, char32_t& refused) {
  std::string out;
  for (const char* p = utf8.c_str(); *p != '\0'; p = g_utf8_next_char(p)) {
    const char32_t c = g_utf8_get_char(p);
    const std::optional<char> byte = byteFor(c);
    if (!byte) {
      refused = c;
      return std::nullopt;
    }
    out += *byte;
  }
  return out;
}

int infoWidthPx(const std::string& windows1252) {
  // Measured with the program's own text code, in the font a fresh device context holds.
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return 0;
  int widest = 0;
  size_t start = 0;
  while (start <= windows1252.size()) {
    const size_t end = std::min(windows1252.find('\n', start), windows1252.size());
    std::string line = windows1252.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    SIZE size{};
    if (GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size)) {
      widest = std::max(widest, static_cast<int>(size.cx));
    }
    start = end + 1;
  }
  DeleteDC(dc);
  return widest;
}

std::string coverInfoArea(const std::string& windows1252) {
  constexpr size_t kMostBytes = 999;  // the page file's field holds 1000 with its NUL
  const int space_px = std::max(1, infoWidthPx(" "));
  std::string covered;
  size_t start = 0;
  while (start <= windows1252.size()) {
    const size_t end = std::min(windows1252.find('\n', start), windows1252.size());
    std::string line = windows1252.substr(start, end - start);
    const size_t room = kMostBytes - std::min(kMostBytes, covered.size() + line.size() + (windows1252.size() - end));
    const int missing_px = kInfoAreaWidthPx - infoWidthPx(line);
    if (missing_px > 0) line.append(std::min(room, static_cast<size_t>((missing_px + space_px - 1) / space_px)), ' ');
    covered += line;
    if (end < windows1252.size()) covered += '\n';
    start = end + 1;
  }
  return covered;
}

}  // namespace zorva::builder
