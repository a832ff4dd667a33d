// Pixels, lines, rectangles and block transfers on a DC.
#include <algorithm>
#include <climits>
#include <cstdint>
#include "DeviceContext.h"
#include "GdiObjects.h"
#include "Raster.h"
#include "WinGdi.h"

using namespace zorva::platform;

namespace {

// The brush a call paints with: NULL when there is none or it is the null brush. Small
// values stand for system colours, (HBRUSH)(COLOR_* + 1), as FillRect allows.
const GdiObject* paintBrush(HBRUSH brush) {
  const auto value = reinterpret_cast<uintptr_t>(brush);
  if (value >= 1 && value <= 31) brush = GetSysColorBrush(static_cast<int>(value - 1));
  const GdiObject* o = gdiObject(brush, GdiKind::Brush);
  return o != nullptr && !o->null_brush ? o : nullptr;
}

const GdiObject* paintPen(const DeviceContext& dc) {
  const GdiObject* o = gdiObject(dc.state.pen, GdiKind::Pen);
  return o != nullptr && o->pen_style != PS_NULL ? o : nullptr;
}

PixelRect fill(const DeviceContext& dc, const PixelRect& area, PixelOp op, uint32_t value) {
  Surface* s = dc.surface();
  if (s == nullptr) return {};
  return fillArea(*s, dc.clips(), area, op, value);
}

// Win32 takes PatBlt's width and height as signed: the area runs from x to x + w.
PixelRect spanRect(const DeviceContext& dc, int x, int y, int w, int h) {
  const long long x2 = static_cast<long long>(x) + w;
  const long long y2 = static_cast<long long>(y) + h;
  auto clampi = [](long long v) { return static_cast<int>(std::max<long long>(INT32_MIN / 2, std::min<long long>(INT32_MAX / 2, v))); };
  const int l = clampi(std::min<long long>(x, x2)), r = clampi(std::max<long long>(x, x2));
  const int t = clampi(std::min<long long>(y, y2)), b = clampi(std::max<long long>(y, y2));
  return dc.deviceRect(l, t, r, b);
}

BOOL patternOp(DeviceContext& dc, const PixelRect& area, DWORD rop) {
  PixelRect touched;
  switch (rop) {
    case WHITENESS: touched = fill(dc, area, PixelOp::Set, RGB(255, 255, 255)); break;
    case BLACKNESS: touched = fill(dc, area, PixelOp::Set, 0); break;
    case DSTINVERT: touched = fill(dc, area, PixelOp::Invert, 0); break;
    case PATCOPY:
    case PATINVERT: {
      const GdiObject* brush = paintBrush(dc.state.brush);
      if (brush == nullptr) return TRUE;  // the null brush paints nothing
      touched = fill(dc, area, rop == PATCOPY ? PixelOp::Set : PixelOp::Xor, brush->colour);
      break;
    }
    default: return FALSE;
  }
  dc.touched(touched);
  return TRUE;
}

}  // namespace

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr || dc->surface() == nullptr) return CLR_INVALID;
  const int dx = dc->deviceX(x), dy = dc->deviceY(y);
  for (const PixelRect& c : dc->clips())
    if (c.contains(dx, dy)) return dc->surface()->pixel(dx, dy);
  return CLR_INVALID;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return CLR_INVALID;
  const PixelRect p = dc->deviceRect(x, y, x + 1, y + 1);
  const PixelRect touched = fill(*dc, p, PixelOp::Set, color & 0xFFFFFF);
  if (touched.empty()) return CLR_INVALID;
  dc->touched(touched);
  return color & 0xFFFFFF;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return FALSE;
  if (lppt != nullptr) *lppt = dc->state.position;
  dc->state.position = POINT{x, y};
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return FALSE;
  const POINT from = dc->state.position;
  dc->state.position = POINT{x, y};
  const GdiObject* pen = paintPen(*dc);
  Surface* s = dc->surface();
  if (pen == nullptr || s == nullptr) return TRUE;
  dc->touched(drawLine(*s, dc->clips(), dc->deviceX(from.x), dc->deviceY(from.y), dc->deviceX(x),
                       dc->deviceY(y), pen->colour));
  return TRUE;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return FALSE;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (left == right || top == bottom) return TRUE;
  const PixelRect box = dc->deviceRect(left, top, right, bottom);
  const GdiObject* pen = paintPen(*dc);
  const GdiObject* brush = paintBrush(dc->state.brush);
  PixelRect touched;
  if (pen == nullptr) {
    // Without a border the filled area is one pixel narrower and shorter.
    if (brush != nullptr)
      touched = fill(*dc, {box.left, box.top, box.right - 1, box.bottom - 1}, PixelOp::Set, brush->colour);
  } else {
    if (brush != nullptr)
      touched = fill(*dc, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, PixelOp::Set,
                     brush->colour);
    const uint32_t c = pen->colour;
    touched = unite(touched, fill(*dc, {box.left, box.top, box.right, box.top + 1}, PixelOp::Set, c));
    touched = unite(touched, fill(*dc, {box.left, box.bottom - 1, box.right, box.bottom}, PixelOp::Set, c));
    touched = unite(touched, fill(*dc, {box.left, box.top, box.left + 1, box.bottom}, PixelOp::Set, c));
    touched = unite(touched, fill(*dc, {box.right - 1, box.top, box.right, box.bottom}, PixelOp::Set, c));
  }
  dc->touched(touched);
  return TRUE;
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DeviceContext* dc = deviceContext(hDC);
  if (dc == nullptr || lprc == nullptr) return 0;
  const GdiObject* brush = paintBrush(hbr);
  if (brush == nullptr) return 0;
  dc->touched(fill(*dc, dc->deviceRect(lprc->left, lprc->top, lprc->right, lprc->bottom),
                   PixelOp::Set, brush->colour));
  return 1;
}

int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DeviceContext* dc = deviceContext(hDC);
  if (dc == nullptr || lprc == nullptr) return 0;
  const GdiObject* brush = paintBrush(hbr);
  if (brush == nullptr) return 0;
  const PixelRect b = dc->deviceRect(lprc->left, lprc->top, lprc->right, lprc->bottom);
  if (b.empty()) return 1;
  const uint32_t c = brush->colour;
  PixelRect t = fill(*dc, {b.left, b.top, b.right, b.top + 1}, PixelOp::Set, c);
  t = unite(t, fill(*dc, {b.left, b.bottom - 1, b.right, b.bottom}, PixelOp::Set, c));
  t = unite(t, fill(*dc, {b.left, b.top, b.left + 1, b.bottom}, PixelOp::Set, c));
  t = unite(t, fill(*dc, {b.right - 1, b.top, b.right, b.bottom}, PixelOp::Set, c));
  dc->touched(t);
  return 1;
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return FALSE;
  return patternOp(*dc, spanRect(*dc, x, y, w, h), rop);
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return FALSE;
  CopyOp op = CopyOp::Copy;
  switch (rop) {
    case SRCCOPY: op = CopyOp::Copy; break;
    case SRCPAINT: op = CopyOp::Or; break;
    case SRCAND: op = CopyOp::And; break;
    case SRCINVERT: op = CopyOp::Xor; break;
    case NOTSRCCOPY: op = CopyOp::NotCopy; break;
    default: return patternOp(*dc, spanRect(*dc, x, y, cx, cy), rop);
  }
  DeviceContext* src = deviceContext(hdcSrc);
  if (src == nullptr || src->surface() == nullptr) return FALSE;
  Surface* s = dc->surface();
  if (s == nullptr) return FALSE;
  dc->touched(copyArea(*s, dc->clips(), dc->deviceX(x), dc->deviceY(y), cx, cy, *src->surface(),
                       src->deviceX(x1), src->deviceY(y1), op));
  return TRUE;
}
