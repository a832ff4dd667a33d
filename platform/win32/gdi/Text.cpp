// Text colours, TextOut, measuring and the stock-font queries.
#include <cstring>
#include <string>

#include "DeviceContext.h"
#include "FontFace.h"
#include "GdiObjects.h"
#include "TextDraw.h"
#include "WinGdi.h"

namespace zorva::platform {

FontFace* faceOf(HFONT font) {
  const GdiObject* o = gdiObject(font, GdiKind::Font);
  return o != nullptr ? FontFace::get(static_cast<FontFaceId>(o->font)) : nullptr;
}

HFONT dialogFont() { return static_cast<HFONT>(stockObject(ANSI_VAR_FONT)); }

bool fontMetrics(HFONT font, FontMetrics& out) {
  FontFace* f = faceOf(font);
  if (f == nullptr) return false;
  out = f->fullMetrics();
  return true;
}

int fontLineHeight(HFONT font) {
  FontFace* f = faceOf(font);
  return f != nullptr ? f->metrics().height : 0;
}

int fontAverageCharWidth(HFONT font) {
  FontFace* f = faceOf(font);
  return f != nullptr ? f->fullMetrics().average_width : 0;
}

int textWidth(HFONT font, std::string_view text) {
  FontFace* f = faceOf(font);
  return f != nullptr ? f->width(text) : -1;
}

std::string_view textOf(LPCSTR text, int count) {
  if (text == nullptr) return {};
  if (count < 0) return std::string_view(text, std::strlen(text));
  return std::string_view(text, static_cast<size_t>(count));
}

PixelRect paintLine(DeviceContext& dc, FontFace& face, int x, int y, std::string_view text,
                    int underline, const ClipList& clips) {
  Surface* s = dc.surface();
  if (s == nullptr) return {};
  const int dx = dc.deviceX(x), dy = dc.deviceY(y);
  PixelRect touched;
  if (dc.state.bk_mode == OPAQUE) {
    const PixelRect cells{dx, dy, dx + face.width(text), dy + face.metrics().height};
    touched = fillArea(*s, clips, cells, PixelOp::Set, dc.state.bk_colour);
  }
  return unite(touched, face.paint(*s, clips, dx, dy, text, underline, dc.state.text_colour));
}

}  // namespace zorva::platform

using namespace zorva::platform;

namespace {

// The text and background colours: a colour is kept without its top byte; the old one is returned.
COLORREF swapColour(HDC hdc, COLORREF DcState::*colour, COLORREF color) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return CLR_INVALID;
  const COLORREF previous = dc->state.*colour;
  dc->state.*colour = color & 0xFFFFFF;
  return previous;
}

COLORREF colourOf(HDC hdc, COLORREF DcState::*colour) {
  DeviceContext* dc = deviceContext(hdc);
  return dc != nullptr ? dc->state.*colour : CLR_INVALID;
}

}  // namespace

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) { return swapColour(hdc, &DcState::text_colour, color); }
COLORREF WINAPI GetTextColor(HDC hdc) { return colourOf(hdc, &DcState::text_colour); }
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) { return swapColour(hdc, &DcState::bk_colour, color); }
COLORREF WINAPI GetBkColor(HDC hdc) { return colourOf(hdc, &DcState::bk_colour); }

int WINAPI SetBkMode(HDC hdc, int mode) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
  const int previous = dc->state.bk_mode;
  dc->state.bk_mode = mode;
  return previous;
}

int WINAPI GetBkMode(HDC hdc) {
  DeviceContext* dc = deviceContext(hdc);
  return dc != nullptr ? dc->state.bk_mode : 0;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr || c < 0 || (lpString == nullptr && c > 0)) return FALSE;
  FontFace* face = faceOf(dc->state.font);
  if (face == nullptr) return FALSE;
  dc->touched(paintLine(*dc, *face, x, y, textOf(lpString, c), -1, dc->clips()));
  return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr || psizl == nullptr || c < 0 || (lpString == nullptr && c > 0)) return FALSE;
  FontFace* face = faceOf(dc->state.font);
  if (face == nullptr) return FALSE;
  psizl->cx = face->width(textOf(lpString, c));
  psizl->cy = face->metrics().height;
  return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr || lptm == nullptr) return FALSE;
  FontMetrics m;
  if (!fontMetrics(dc->state.font, m)) return FALSE;
  *lptm = TEXTMETRICA{};
  lptm->tmHeight = m.height;
  lptm->tmAscent = m.ascent;
  lptm->tmDescent = m.descent;
  lptm->tmInternalLeading = m.internal_leading;
  lptm->tmAveCharWidth = m.average_width;
  lptm->tmMaxCharWidth = m.max_width;
  lptm->tmWeight = m.weight;
  lptm->tmDigitizedAspectX = 96;
  lptm->tmDigitizedAspectY = 96;
  lptm->tmFirstChar = 0x20;
  lptm->tmLastChar = 0xFF;
  lptm->tmDefaultChar = 0x80;
  lptm->tmBreakChar = 0x20;
  // As the platform does, the low bit is set for a variable pitch.
  lptm->tmPitchAndFamily = m.fixed_pitch ? 0x30 : 0x21;
  return TRUE;
}
