// Creation of pens, brushes and bitmaps, the system colours and the batch limit.
#include <array>
#include <new>

#include "GdiObjects.h"
#include "DeviceContext.h"
#include "WinGdi.h"

using namespace zorva::platform;

namespace {

constexpr int kMaxBitmapSide = 16384;
constexpr long long kMaxBitmapPixels = 64LL * 1024 * 1024;

DWORD g_batch_limit = 20;  // the platform's default until the program sets its own

// Classic desktop colours: the window background is white, as the design expects.
COLORREF sysColour(int index, bool& known) {
  static const std::array<COLORREF, 31> colours = {
      RGB(192, 192, 192), RGB(0, 128, 128), RGB(0, 0, 128), RGB(128, 128, 128),
      RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0),
      RGB(0, 0, 0), RGB(255, 255, 255), RGB(192, 192, 192), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(0, 0, 128), RGB(255, 255, 255), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0), RGB(192, 192, 192),
      RGB(255, 255, 255), RGB(0, 0, 0), RGB(223, 223, 223), RGB(0, 0, 0),
      RGB(255, 255, 225), RGB(0, 0, 0), RGB(0, 0, 255), RGB(16, 132, 208),
      RGB(181, 181, 181), RGB(0, 0, 128), RGB(192, 192, 192)};
  known = index >= 0 && index < static_cast<int>(colours.size());
  return known ? colours[index] : 0;
}

HBITMAP newBitmap(int cx, int cy) {
  if (cx < 0 || cy < 0 || cx > kMaxBitmapSide || cy > kMaxBitmapSide ||
      static_cast<long long>(cx) * cy > kMaxBitmapPixels)
    return nullptr;
  // A zero-sized request still gives a usable 1x1 bitmap, as the platform does.
  if (cx == 0 || cy == 0) cx = cy = 1;
  GdiObject o;
  o.kind = GdiKind::Bitmap;
  // Memory that cannot be had is a bitmap that cannot be made, as the platform reports it.
  try {
    o.bitmap = std::make_unique<Surface>(cx, cy, 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return static_cast<HBITMAP>(addGdiObject(std::move(o)));
}

}  // namespace

DWORD WINAPI GetSysColor(int nIndex) {
  bool known = false;
  return sysColour(nIndex, known);
}

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
  bool known = false;
  const COLORREF colour = sysColour(nIndex, known);
  if (!known) return nullptr;
  static std::array<HBRUSH, 31> brushes{};
  if (brushes[nIndex] == nullptr) {
    GdiObject o;
    o.kind = GdiKind::Brush;
    o.colour = colour;  // system brushes are never destroyed
    brushes[nIndex] = static_cast<HBRUSH>(addPermanentObject(std::move(o)));
  }
  return brushes[nIndex];
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
  if ((iStyle != PS_SOLID && iStyle != PS_NULL) || cWidth < 0 || cWidth > 1) return nullptr;
  GdiObject o;
  o.kind = GdiKind::Pen;
  o.pen_style = iStyle;
  o.colour = color & 0xFFFFFF;
  return static_cast<HPEN>(addGdiObject(std::move(o)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  GdiObject o;
  o.kind = GdiKind::Brush;
  o.colour = color & 0xFFFFFF;
  return static_cast<HBRUSH>(addGdiObject(std::move(o)));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  // NULL stands for the screen; our screen and memory bitmaps are all 32-bit colour.
  if (hdc != nullptr && deviceContext(hdc) == nullptr) return nullptr;
  return newBitmap(cx, cy);
}

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                            const void* lpBits) {
  if (nPlanes != 1 || nBitCount != 32) return nullptr;
  HBITMAP h = newBitmap(nWidth, nHeight);
  if (h == nullptr || lpBits == nullptr || nWidth == 0 || nHeight == 0) return h;
  Surface& s = *gdiObject(h, GdiKind::Bitmap)->bitmap;
  const auto* bytes = static_cast<const BYTE*>(lpBits);
  for (int y = 0; y < nHeight; ++y) {
    for (int x = 0; x < nWidth; ++x) {
      const BYTE* p = bytes + (static_cast<size_t>(y) * nWidth + x) * 4;
      s.setPixel(x, y, RGB(p[2], p[1], p[0]));
    }
  }
  return h;
}

DWORD WINAPI GdiSetBatchLimit(DWORD dw) {
  const DWORD previous = g_batch_limit;
  g_batch_limit = dw == 0 ? 20 : dw;  // 0 asks for the default
  return previous;
}

BOOL WINAPI GdiFlush(void) { return TRUE; }
