// Painting on the screen surface: window DCs clipped to the client area (and, for BeginPaint,
// to the invalid part), the background erase, and the non-client edges.
#include <algorithm>

#include "../gdi/WinGdi.h"
#include "MenuBar.h"
#include "ScreenSurface.h"
#include "WindowTree.h"

using namespace zorva::platform;

namespace {

PixelRect toSurface(const RECT& screen) { return screenToSurface(screen); }

// Pieces of `rect` outside `hole` (at most four).
void subtract(const PixelRect& rect, const PixelRect& hole, std::vector<PixelRect>& out) {
  const PixelRect cut = rect.intersect(hole);
  if (cut.empty()) {
    out.push_back(rect);
    return;
  }
  const PixelRect pieces[4] = {{rect.left, rect.top, rect.right, cut.top},
                               {rect.left, cut.bottom, rect.right, rect.bottom},
                               {rect.left, cut.top, cut.left, cut.bottom},
                               {cut.right, cut.top, rect.right, cut.bottom}};
  for (const PixelRect& p : pieces)
    if (!p.empty()) out.push_back(p);
}

HWND topLevelOf(HWND window) {
  WindowTree& tree = WindowTree::instance();
  WindowRecord* r = tree.find(window);
  while (r != nullptr && r->parent != nullptr) r = tree.find(r->parent);
  return r ? r->handle : nullptr;
}

// The parts of `area` (surface pixels) that `window` may paint: inside every ancestor's client
// area and the surface, and not under a pop-up that lies above the window's top level.
std::vector<PixelRect> visibleParts(HWND window, PixelRect area) {
  WindowTree& tree = WindowTree::instance();
  Surface* surface = screenSurfaceOf(window);
  if (surface == nullptr) return {};
  area = area.intersect(PixelRect{0, 0, surface->width(), surface->height()});
  for (WindowRecord* r = tree.find(tree.find(window)->parent); r; r = tree.find(r->parent))
    area = area.intersect(toSurface(tree.clientScreenRect(r->handle)));
  if (area.empty()) return {};
  std::vector<PixelRect> parts{area};
  const std::vector<HWND>& tops = tree.topLevels();
  auto mine = std::find(tops.begin(), tops.end(), topLevelOf(window));
  for (auto it = mine == tops.end() ? tops.end() : mine + 1; it != tops.end(); ++it) {
    WindowRecord* above = tree.find(*it);
    if (above == nullptr || !above->visible || desktopWindowOf(*it) != desktopWindowOf(window))
      continue;
    std::vector<PixelRect> left;
    for (const PixelRect& p : parts) subtract(p, toSurface(tree.screenRect(*it)), left);
    parts.swap(left);
  }
  return parts;
}

// A DC on the window's client area, limited to `client_part` (client coordinates); a paint
// DC gathers its changes until it is deleted.
HDC clientDC(HWND window, const RECT& client_part, bool paint) {
  WindowTree& tree = WindowTree::instance();
  Surface* surface = screenSurfaceOf(window);
  if (surface == nullptr) return nullptr;
  const RECT client = tree.clientScreenRect(window);
  const PixelRect origin = toSurface(client);
  PixelRect area = origin;
  area = area.intersect(PixelRect{origin.left + client_part.left, origin.top + client_part.top,
                                  origin.left + client_part.right,
                                  origin.top + client_part.bottom});
  DrawTarget target;
  target.surface = surface;
  target.origin_x = origin.left;
  target.origin_y = origin.top;
  target.paint = paint;
  if (!area.empty()) target.clip = visibleParts(window, area);
  return createWindowDC(target, window);
}

void fillParts(Surface& s, const std::vector<PixelRect>& parts, const PixelRect& rect,
               COLORREF colour) {
  for (const PixelRect& p : parts) {
    const PixelRect r = p.intersect(rect);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) s.setPixel(x, y, colour);
  }
}

// One ring of an edge: top and left rows in `light_top_left`, bottom and right in the other.
void ring(Surface& s, const std::vector<PixelRect>& parts, const PixelRect& o, COLORREF top_left,
          COLORREF bottom_right) {
  fillParts(s, parts, PixelRect{o.left, o.top, o.right - 1, o.top + 1}, top_left);
  fillParts(s, parts, PixelRect{o.left, o.top, o.left + 1, o.bottom - 1}, top_left);
  fillParts(s, parts, PixelRect{o.left, o.bottom - 1, o.right, o.bottom}, bottom_right);
  fillParts(s, parts, PixelRect{o.right - 1, o.top, o.right, o.bottom}, bottom_right);
}

}  // namespace

namespace zorva::platform {

void paintNonClient(HWND window) {
  WindowTree& tree = WindowTree::instance();
  WindowRecord* r = tree.find(window);
  Surface* surface = screenSurfaceOf(window);
  if (r == nullptr || surface == nullptr) return;
  if (r->backend_window) {
    paintMenuBar(window);
    return;
  }
  const PixelRect outer = toSurface(tree.screenRect(window));
  if (outer.empty()) return;
  const std::vector<PixelRect> parts = visibleParts(window, outer);
  if (r->ex_style & WS_EX_CLIENTEDGE) {
    ring(*surface, parts, outer, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    const PixelRect inner{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
    if (!inner.empty())
      ring(*surface, parts, inner, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  } else if (r->style & WS_BORDER) {
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    ring(*surface, parts, outer, frame, frame);
  } else {
    return;
  }
  surface->changed(outer);
}

}  // namespace zorva::platform

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  WindowRecord* r = WindowTree::instance().find(hWnd);
  if (r == nullptr || lpPaint == nullptr) return nullptr;
  // The frame and the paint reach the desktop together, when the paint ends.
  Surface* surface = screenSurfaceOf(hWnd);
  if (surface != nullptr) surface->holdChanges();
  if (r->frame_pending) {
    r->frame_pending = false;
    paintNonClient(hWnd);
  }
  *lpPaint = PAINTSTRUCT{};
  lpPaint->rcPaint = r->has_update ? r->update : RECT{0, 0, 0, 0};
  const bool erase = r->has_update && r->erase;
  // The invalid part is taken now: what is drawn from here on asks for a new paint.
  r->has_update = false;
  r->erase = false;
  HDC dc = clientDC(hWnd, lpPaint->rcPaint, true);
  if (surface != nullptr) surface->releaseChanges();
  if (dc == nullptr) return nullptr;
  lpPaint->hdc = dc;
  // fErase tells the window it still has to erase: the background message did not.
  if (erase)
    lpPaint->fErase = SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
  if (lpPaint == nullptr || lpPaint->hdc == nullptr) return FALSE;
  DeleteDC(lpPaint->hdc);
  return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
  WindowTree& tree = WindowTree::instance();
  if (tree.find(hWnd) == nullptr) return nullptr;  // no DC on the whole screen
  const RECT client = tree.clientScreenRect(hWnd);
  return clientDC(hWnd, RECT{0, 0, client.right - client.left, client.bottom - client.top}, false);
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
  if (hDC == nullptr || windowOfDC(hDC) != hWnd) return 0;
  return DeleteDC(hDC) ? 1 : 0;
}
