// Window state calls: enabling, text, position and order, capture, window longs, system
// metrics, cursors, strings and icons.
#include <algorithm>
#include <cstring>

#include "../gdi/WinGdi.h"
#include "Resources.h"
#include "ScreenSurface.h"
#include "WindowTree.h"
#include "platform/backend/DesktopBackend.h"

using namespace zorva::platform;

namespace {
WindowRecord* record(HWND h) { return WindowTree::instance().find(h); }
HWND g_capture = nullptr;
}  // namespace

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  WindowRecord* r = record(hWnd);
  return r != nullptr && r->enabled;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  const BOOL was_disabled = !r->enabled;
  r->enabled = bEnable != FALSE;
  if (!r->enabled) {
    // A disabled window keeps neither the keyboard nor the mouse.
    WindowTree& tree = WindowTree::instance();
    if (tree.focus == hWnd || tree.isDescendant(tree.focus, hWnd)) SetFocus(nullptr);
    if (g_capture == hWnd || tree.isDescendant(g_capture, hWnd)) g_capture = nullptr;
  }
  if (was_disabled == (r->enabled ? TRUE : FALSE))
    SendMessageA(hWnd, WM_ENABLE, r->enabled ? TRUE : FALSE, 0);
  return was_disabled;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  r->text = lpString ? lpString : "";
  if (r->backend_window) desktopBackend().setTitle(r->text);
  return TRUE;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  WindowRecord* r = record(hWnd);
  if (lpString == nullptr || nMaxCount <= 0) return 0;
  lpString[0] = '\0';
  if (r == nullptr) return 0;
  const size_t n = std::min(r->text.size(), static_cast<size_t>(nMaxCount - 1));
  std::memcpy(lpString, r->text.data(), n);
  lpString[n] = '\0';
  return static_cast<int>(n);
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                         UINT uFlags) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  constexpr UINT kKnown = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW |
                          SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_HIDEWINDOW;
  if (uFlags & ~kKnown) return FALSE;
  // Order among siblings: only "to the top" is kept; the desktop has no other layers.
  if (!(uFlags & SWP_NOZORDER) && hWndInsertAfter != HWND_TOP) return FALSE;
  if (!(uFlags & SWP_NOZORDER) && r->parent != nullptr) {
    auto& siblings = record(r->parent)->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hWnd), siblings.end());
    siblings.push_back(hWnd);
  }
  if ((uFlags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) {
    const RECT now = r->rect;
    if (uFlags & SWP_NOMOVE) X = now.left, Y = now.top;
    if (uFlags & SWP_NOSIZE) cx = now.right - now.left, cy = now.bottom - now.top;
    MoveWindow(hWnd, X, Y, cx, cy, (uFlags & SWP_NOREDRAW) ? FALSE : TRUE);
  }
  if (uFlags & SWP_FRAMECHANGED) invalidateWhole(hWnd);
  if (uFlags & SWP_SHOWWINDOW) ShowWindow(hWnd, SW_SHOW);
  if (uFlags & SWP_HIDEWINDOW) ShowWindow(hWnd, SW_HIDE);
  return TRUE;
}

HWND WINAPI GetActiveWindow(void) {
  // The last top-level window that takes input: a modal dialog over a disabled frame.
  WindowTree& tree = WindowTree::instance();
  const std::vector<HWND>& tops = tree.topLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if (record(*it)->visible && record(*it)->enabled) return *it;
  return nullptr;
}

HWND WINAPI SetCapture(HWND hWnd) {
  HWND old = g_capture;
  g_capture = record(hWnd) ? hWnd : nullptr;
  return old;
}

BOOL WINAPI ReleaseCapture(void) {
  g_capture = nullptr;
  return TRUE;
}

HWND WINAPI GetCapture(void) {
  if (g_capture != nullptr && record(g_capture) == nullptr) g_capture = nullptr;
  return g_capture;
}

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return 0;
  switch (nIndex) {
    case GWL_STYLE: return static_cast<LONG>(r->style);
    case GWL_EXSTYLE: return static_cast<LONG>(r->ex_style);
    case GWL_ID: return r->id;
    case GWL_USERDATA: return r->user_data;
    default: return 0;  // a procedure does not fit in 32 bits here: not offered
  }
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return 0;
  LONG old = 0;
  switch (nIndex) {
    case GWL_STYLE:
      old = static_cast<LONG>(r->style);
      r->style = static_cast<DWORD>(dwNewLong);
      r->visible = (r->style & WS_VISIBLE) != 0;
      return old;
    case GWL_EXSTYLE:
      old = static_cast<LONG>(r->ex_style);
      r->ex_style = static_cast<DWORD>(dwNewLong);
      return old;
    case GWL_ID:
      old = r->id;
      r->id = dwNewLong;
      return old;
    case GWL_USERDATA:
      old = r->user_data;
      r->user_data = dwNewLong;
      return old;
    default:
      return 0;
  }
}

int WINAPI GetSystemMetrics(int nIndex) {
  const ScreenRect work = desktopBackend().workArea();
  switch (nIndex) {
    case SM_CXSCREEN: return work.right;
    case SM_CYSCREEN: return work.bottom;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return kDoubleClickBoxPx;
    default: return 0;
  }
}

int WINAPI LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (lpBuffer == nullptr || cchBufferMax <= 0) return 0;
  lpBuffer[0] = '\0';
  const std::string* text = findString(uID);
  if (text == nullptr) return 0;
  const size_t n = std::min(text->size(), static_cast<size_t>(cchBufferMax - 1));
  std::memcpy(lpBuffer, text->data(), n);
  lpBuffer[n] = '\0';
  return static_cast<int>(n);
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR lpIconName) {
  // An icon handle names its registered template, which lives as long as the program.
  const IconTemplate* icon = findIcon(lpIconName);
  return icon ? reinterpret_cast<HICON>(const_cast<IconTemplate*>(icon)) : nullptr;
}

BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
  if (hDC == nullptr || hIcon == nullptr) return FALSE;
  const auto* icon = reinterpret_cast<const IconTemplate*>(hIcon);
  if (icon->pixels.size() != static_cast<size_t>(kIconSizePx) * kIconSizePx) return FALSE;
  for (int y = 0; y < kIconSizePx; ++y)
    for (int x = 0; x < kIconSizePx; ++x) {
      const COLORREF c = icon->pixels[static_cast<size_t>(y) * kIconSizePx + x];
      if (c != kIconTransparent) SetPixel(hDC, X + x, Y + y, c);
    }
  return TRUE;
}
