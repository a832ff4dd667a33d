// DrawTextA: lines broken at the text's own line breaks, aligned in a rectangle.
#include <algorithm>
#include <string>
#include <vector>

#include "TextDraw.h"
#include "WinGdi.h"

using namespace zorva::platform;

namespace {

constexpr UINT kSupported = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_SINGLELINE |
                            DT_NOCLIP | DT_EXTERNALLEADING | DT_CALCRECT | DT_NOPREFIX |
                            DT_INTERNAL;

struct Line {
  std::string text;
  int underline = -1;
  int width = 0;
};

// "&x" underlines x, "&&" is one "&", a lone "&" at the end is dropped.
Line stripPrefixes(std::string_view raw, bool prefixes) {
  Line line;
  if (!prefixes) {
    line.text.assign(raw);
    return line;
  }
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '&') {
      line.text.push_back(raw[i]);
      continue;
    }
    if (i + 1 >= raw.size()) break;
    ++i;
    if (raw[i] != '&') line.underline = static_cast<int>(line.text.size());
    line.text.push_back(raw[i]);
  }
  return line;
}

// CR, LF and CR LF each end a line; on a single line they take no room.
std::vector<Line> splitLines(std::string_view text, bool single, bool prefixes) {
  std::vector<Line> lines;
  std::string current;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      current.push_back(c);
      continue;
    }
    if (single) continue;
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(stripPrefixes(current, prefixes));
    current.clear();
  }
  lines.push_back(stripPrefixes(current, prefixes));
  return lines;
}

}  // namespace

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr || lprc == nullptr || (format & ~kSupported) != 0) return 0;
  if (lpchText == nullptr && cchText != 0) return 0;
  FontFace* face = faceOf(dc->state.font);
  if (face == nullptr) return 0;
  const std::string_view text = textOf(lpchText, cchText);
  const bool single = (format & DT_SINGLELINE) != 0;
  const int line_height = face->metrics().height;
  if (text.empty()) {
    if (format & DT_CALCRECT) {
      lprc->right = lprc->left;
      lprc->bottom = lprc->top + (single ? line_height : 0);
    }
    return 0;
  }
  std::vector<Line> lines = splitLines(text, single, (format & DT_NOPREFIX) == 0);
  int max_width = 0;
  for (Line& l : lines) {
    l.width = face->width(l.text);
    max_width = std::max(max_width, l.width);
  }
  const int total = static_cast<int>(lines.size()) * line_height;
  int y = lprc->top;
  if (single && (format & DT_VCENTER)) y = lprc->top + (lprc->bottom - lprc->top - line_height) / 2;
  else if (single && (format & DT_BOTTOM)) y = lprc->bottom - line_height;
  const int result = y - lprc->top + total;
  if (format & DT_CALCRECT) {
    lprc->right = lprc->left + max_width;
    lprc->bottom = lprc->top + total;
    return result;
  }
  ClipList clips = dc->clips();
  if ((format & DT_NOCLIP) == 0) {
    const PixelRect box = dc->deviceRect(lprc->left, lprc->top, lprc->right, lprc->bottom);
    ClipList inside;
    for (const PixelRect& c : clips) {
      const PixelRect r = c.intersect(box);
      if (!r.empty()) inside.push_back(r);
    }
    clips = std::move(inside);
  }
  PixelRect touched;
  for (const Line& l : lines) {
    int x = lprc->left;
    if (format & DT_CENTER) x = (lprc->left + lprc->right - l.width) / 2;
    else if (format & DT_RIGHT) x = lprc->right - l.width;
    touched = unite(touched, paintLine(*dc, *face, x, y, l.text, l.underline, clips));
    y += line_height;
  }
  dc->touched(touched);
  return result;
}
