// DrawEdge: the raised and sunken one-pixel rings that frame dialogs, buttons and menus.
#include "WinUser.h"

namespace {

constexpr UINT kKnownFlags = BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST;

struct RingColours {
  int top_left;
  int bottom_right;
};

// The colours of one ring; `soft` lights the top-left of the outer ring and softens the inner.
RingColours ringColours(UINT border, bool soft) {
  switch (border) {
    case BDR_RAISEDOUTER: return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    case BDR_SUNKENOUTER: return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    case BDR_RAISEDINNER: return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    default: return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};  // sunken inner
  }
}

void fill(HDC dc, int left, int top, int right, int bottom, int colour_index) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, GetSysColorBrush(colour_index));
}

// One ring on the chosen sides, top-left first; the rectangle shrinks by the sides drawn.
void drawRing(HDC dc, RECT& r, RingColours c, UINT sides) {
  const int right_cut = (sides & BF_RIGHT) ? 1 : 0;
  const int bottom_cut = (sides & BF_BOTTOM) ? 1 : 0;
  if (sides & BF_TOP) fill(dc, r.left, r.top, r.right - right_cut, r.top + 1, c.top_left);
  if (sides & BF_LEFT) fill(dc, r.left, r.top, r.left + 1, r.bottom - bottom_cut, c.top_left);
  if (sides & BF_BOTTOM) fill(dc, r.left, r.bottom - 1, r.right, r.bottom, c.bottom_right);
  if (sides & BF_RIGHT) fill(dc, r.right - 1, r.top, r.right, r.bottom, c.bottom_right);
  if (sides & BF_LEFT) ++r.left;
  if (sides & BF_TOP) ++r.top;
  if (sides & BF_RIGHT) --r.right;
  if (sides & BF_BOTTOM) --r.bottom;
}

}  // namespace

BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
  const UINT outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
  const UINT inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
  // Diagonal, flat and mono edges are not drawn by this platform: refuse them rather than guess.
  if (hdc == nullptr || qrc == nullptr || (grfFlags & ~kKnownFlags) != 0 ||
      outer == (BDR_RAISEDOUTER | BDR_SUNKENOUTER) || inner == (BDR_RAISEDINNER | BDR_SUNKENINNER))
    return FALSE;
  const bool soft = (grfFlags & BF_SOFT) != 0;
  const UINT sides = grfFlags & BF_RECT;
  RECT r = *qrc;
  if (outer != 0) drawRing(hdc, r, ringColours(outer, soft), sides);
  if (inner != 0) drawRing(hdc, r, ringColours(inner, soft), sides);
  if (grfFlags & BF_MIDDLE) fill(hdc, r.left, r.top, r.right, r.bottom, COLOR_BTNFACE);
  if (grfFlags & BF_ADJUST) *qrc = r;
  return TRUE;
}
