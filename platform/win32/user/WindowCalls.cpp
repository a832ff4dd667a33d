// Window classes, creation and destruction, geometry and the desktop calls.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "../gdi/WinGdi.h"
#include "Resources.h"
#include "ScreenSurface.h"
#include "WindowTree.h"
#include "platform/backend/AudioBackend.h"
#include "platform/backend/DesktopBackend.h"

using namespace zorva::platform;

namespace {

WindowRecord* record(HWND h) { return WindowTree::instance().find(h); }

// Class names are compared as Win32 does, without regard to case.
std::string classKey(LPCSTR name) {
  std::string key = name ? name : "";
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

void destroyTree(HWND h) {
  WindowRecord* r = record(h);
  if (r == nullptr) return;
  if (r->parent == nullptr) {
    // Pop-ups owned by a window go with it, before it.
    const std::vector<HWND> tops = WindowTree::instance().topLevels();
    for (HWND top : tops)
      if (WindowRecord* t = record(top); t != nullptr && t->owner == h) destroyTree(top);
    if ((r = record(h)) == nullptr) return;
  }
  SendMessageA(h, WM_DESTROY, 0, 0);
  // Copy: a child's destruction edits the list.
  std::vector<HWND> children = r->children;
  for (HWND child : children) destroyTree(child);
  if ((r = record(h)) == nullptr) return;
  const bool desktop = r->backend_window;
  SendMessageA(h, WM_NCDESTROY, 0, 0);
  WindowTree::instance().remove(h);
  if (desktop) desktopBackend().destroyWindow();
}

}  // namespace

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
  if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr ||
      lpWndClass->lpfnWndProc == nullptr)
    return 0;
  auto& classes = WindowTree::instance().classes;
  std::string key = classKey(lpWndClass->lpszClassName);
  if (classes.count(key)) return 0;  // already registered
  ClassRecord& c = classes[key];
  c.info = *lpWndClass;
  c.name = lpWndClass->lpszClassName;
  c.info.lpszClassName = c.name.c_str();
  return static_cast<ATOM>(classes.size() + 0xC000);
}

BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
  auto& classes = WindowTree::instance().classes;
  auto it = classes.find(classKey(lpClassName));
  if (it == classes.end() || lpWndClass == nullptr) return FALSE;
  *lpWndClass = it->second.info;
  return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName,
                            DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                            HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
  WindowTree& tree = WindowTree::instance();
  auto cls = tree.classes.find(classKey(lpClassName));
  if (cls == tree.classes.end()) return nullptr;
  const bool child = (dwStyle & WS_CHILD) != 0;
  if (child && tree.find(hWndParent) == nullptr) return nullptr;  // a child needs its parent
  if (X == CW_USEDEFAULT) X = Y = 0;
  if (nWidth == CW_USEDEFAULT) nWidth = nHeight = 0;
  if (nWidth < 0) nWidth = 0;
  if (nHeight < 0) nHeight = 0;
  auto r = std::make_unique<WindowRecord>();
  r->proc = cls->second.info.lpfnWndProc;
  r->class_style = cls->second.info.style;
  r->style = dwStyle;
  r->ex_style = dwExStyle;
  r->parent = child ? hWndParent : nullptr;
  r->rect = RECT{X, Y, X + nWidth, Y + nHeight};
  r->text = lpWindowName ? lpWindowName : "";
  r->id = child ? static_cast<int>(reinterpret_cast<uintptr_t>(hMenu)) : 0;
  r->menu = child ? nullptr : hMenu;  // a top-level window's menu bar comes with it
  r->visible = (dwStyle & WS_VISIBLE) != 0;
  r->enabled = (dwStyle & WS_DISABLED) == 0;
  r->background = cls->second.info.hbrBackground;
  if (!child) {
    // The desktop shows one window; other top-level windows are pop-ups drawn on it.
    HWND desktop = tree.desktopWindow();
    if (desktop == nullptr) {
      if (!desktopBackend().createWindow(r->text, ScreenRect{X, Y, X + nWidth, Y + nHeight}))
        return nullptr;
      r->backend_window = true;
    } else {
      r->owner = desktopWindowOf(hWndParent) ? hWndParent : desktop;
      while (record(r->owner)->parent != nullptr) r->owner = record(r->owner)->parent;
    }
  }
  HWND h = tree.add(std::move(r));
  if (tree.find(h)->backend_window) makeScreenSurface(h);
  CREATESTRUCTA cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X,
                   static_cast<LONG>(dwStyle), lpWindowName, lpClassName, dwExStyle};
  if (SendMessageA(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    destroyTree(h);  // the window refused to be created
    return nullptr;
  }
  if (!IsWindow(h)) return nullptr;
  // As on the desktop, a new window is told its size once it exists.
  RECT client{};
  GetClientRect(h, &client);
  SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  if (!IsWindow(h)) return nullptr;
  if (tree.find(h)->visible) {
    if (tree.find(h)->backend_window) desktopBackend().showWindow(true);
    invalidateWhole(h);
    if (tree.find(h)->backend_window && tree.focus == nullptr) SetFocus(h);
  }
  return h;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  if (record(hWnd) == nullptr) return FALSE;
  destroyTree(hWnd);
  return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM) {
  if (Msg == WM_CLOSE) DestroyWindow(hWnd);
  if (Msg == WM_ERASEBKGND) {
    // The class brush (or a COLOR_* + 1 value) fills the client area; no brush, no erase.
    WindowRecord* r = record(hWnd);
    if (r == nullptr || r->background == nullptr) return 0;
    RECT client{};
    GetClientRect(hWnd, &client);
    return FillRect(reinterpret_cast<HDC>(wParam), &client, r->background) ? 1 : 0;
  }
  // A window that leaves painting to the default still gets validated, or WM_PAINT would
  // come back for ever.
  if (Msg == WM_PAINT) {
    PAINTSTRUCT ps;
    if (BeginPaint(hWnd, &ps) != nullptr) EndPaint(hWnd, &ps);
    else ValidateRect(hWnd, nullptr);
  }
  return 0;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  const BOOL was = r->visible;
  r->visible = nCmdShow != SW_HIDE;
  if (r->backend_window) desktopBackend().showWindow(r->visible);
  if (r->visible && !was) invalidateWhole(hWnd);
  // Showing the desktop window activates it: it takes the keyboard if nothing has it.
  if (r->visible && r->backend_window && WindowTree::instance().focus == nullptr)
    SetFocus(hWnd);
  if (!r->visible && was && r->parent != nullptr) {
    // What the window covered in its parent is the parent's to paint again.
    RECT area = r->rect;
    InvalidateRect(r->parent, &area, TRUE);
  }
  return was;
}

BOOL WINAPI IsWindow(HWND hWnd) { return record(hWnd) != nullptr; }
BOOL WINAPI IsWindowVisible(HWND hWnd) {
  for (WindowRecord* r = record(hWnd); r; r = record(r->parent))
    if (!r->visible) return FALSE;
  return record(hWnd) != nullptr;
}

HWND WINAPI GetParent(HWND hWnd) {
  WindowRecord* r = record(hWnd);
  return r ? r->parent : nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
  WindowRecord* r = record(hWnd);
  return r ? r->id : 0;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  WindowRecord* r = record(hDlg);
  if (r == nullptr) return nullptr;
  for (HWND c : r->children)
    if (record(c)->id == nIDDlgItem) return c;
  return nullptr;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  if (record(hWnd) == nullptr || lpRect == nullptr) return FALSE;
  RECT c = WindowTree::instance().clientScreenRect(hWnd);
  *lpRect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  if (record(hWnd) == nullptr || lpRect == nullptr) return FALSE;
  *lpRect = WindowTree::instance().screenRect(hWnd);
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  if (nWidth < 0) nWidth = 0;
  if (nHeight < 0) nHeight = 0;
  const RECT old = r->rect;
  const RECT now{X, Y, X + nWidth, Y + nHeight};
  r->rect = now;
  const bool resized = old.right - old.left != nWidth || old.bottom - old.top != nHeight;
  const bool moved = resized || old.left != X || old.top != Y;
  if (moved && bRepaint) {
    if (r->parent != nullptr) InvalidateRect(r->parent, &old, TRUE);
    invalidateWhole(hWnd);
  } else if (resized && (r->class_style & (CS_HREDRAW | CS_VREDRAW))) {
    invalidateWhole(hWnd);
  }
  RECT client{};
  GetClientRect(hWnd, &client);
  SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  if (record(hWnd) == nullptr || lpPoint == nullptr) return FALSE;
  RECT c = WindowTree::instance().clientScreenRect(hWnd);
  lpPoint->x -= c.left;
  lpPoint->y -= c.top;
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  if (record(hWnd) == nullptr || lpPoint == nullptr) return FALSE;
  RECT c = WindowTree::instance().clientScreenRect(hWnd);
  lpPoint->x += c.left;
  lpPoint->y += c.top;
  return TRUE;
}

HWND WINAPI SetFocus(HWND hWnd) {
  WindowTree& tree = WindowTree::instance();
  if (hWnd != nullptr && tree.find(hWnd) == nullptr) return nullptr;
  HWND old = tree.focus;
  if (old == hWnd) return old;
  tree.focus = hWnd;
  if (old) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  if (hWnd && tree.focus == hWnd) SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND WINAPI GetFocus(void) { return WindowTree::instance().focus; }

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  int x = 0, y = 0;
  desktopBackend().pointerPosition(x, y);
  lpPoint->x = x;
  lpPoint->y = y;
  return TRUE;
}

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, LPVOID pvParam, UINT) {
  if (uiAction != SPI_GETWORKAREA || pvParam == nullptr) return FALSE;  // only the work area
  ScreenRect w = desktopBackend().workArea();
  *static_cast<RECT*>(pvParam) = RECT{w.left, w.top, w.right, w.bottom};
  return TRUE;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR lpCursorName) {
  // Only the system's own cursors exist; the desktop draws the pointer.
  UINT id = 0;
  if (!resourceIdFromName(lpCursorName, id) || id < 32512 || id > 32649) return nullptr;
  return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(id));
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  std::string caption;
  if (lpCaption != nullptr) {
    caption = lpCaption;
  } else if (const std::string* title = findString(57344)) {
    caption = *title;  // the application's title, as the framework does
  } else {
    caption = "Error";
  }
  showHeldChanges();  // a box opened inside a paint shows over what the paint has drawn
  return desktopBackend().messageBox(lpText ? lpText : "", caption, uType, IsWindow(hWnd) != FALSE);
}

BOOL WINAPI MessageBeep(UINT uType) {
  audioBackend().beep(uType);
  return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  RECT client{};
  GetClientRect(hWnd, &client);
  RECT add = lpRect ? *lpRect : client;
  // Only the client area can be invalid.
  add.left = std::max(add.left, client.left);
  add.top = std::max(add.top, client.top);
  add.right = std::min(add.right, client.right);
  add.bottom = std::min(add.bottom, client.bottom);
  if (add.right <= add.left || add.bottom <= add.top) return TRUE;
  if (r->has_update) {
    r->update = RECT{std::min(r->update.left, add.left), std::min(r->update.top, add.top),
                     std::max(r->update.right, add.right), std::max(r->update.bottom, add.bottom)};
  } else {
    r->update = add;
    r->has_update = true;
  }
  r->erase = r->erase || bErase;
  // Without WS_CLIPCHILDREN the parent paints over its children, so they paint again after it.
  if (!(r->style & WS_CLIPCHILDREN)) {
    const std::vector<HWND> children = r->children;
    for (HWND c : children) {
      WindowRecord* cr = record(c);
      if (cr == nullptr || !cr->visible) continue;
      const RECT cut{std::max(add.left, cr->rect.left), std::max(add.top, cr->rect.top),
                     std::min(add.right, cr->rect.right), std::min(add.bottom, cr->rect.bottom)};
      if (cut.right <= cut.left || cut.bottom <= cut.top) continue;
      cr->frame_pending = true;
      POINT at{0, 0};
      ClientToScreen(c, &at);
      POINT parent_at{0, 0};
      ClientToScreen(hWnd, &parent_at);
      const int dx = parent_at.x - at.x;
      const int dy = parent_at.y - at.y;
      const RECT part{cut.left + dx, cut.top + dy, cut.right + dx, cut.bottom + dy};
      InvalidateRect(c, &part, bErase);
    }
  }
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  // The invalid part is kept as one rectangle, so only covering it all validates it.
  const RECT& u = r->update;
  if (lpRect == nullptr || (lpRect->left <= u.left && lpRect->top <= u.top &&
                            lpRect->right >= u.right && lpRect->bottom >= u.bottom)) {
    r->has_update = false;
    r->erase = false;
  }
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  if (lpRect) *lpRect = r->has_update ? r->update : RECT{0, 0, 0, 0};
  return r->has_update;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  WindowRecord* r = record(hWnd);
  if (r == nullptr) return FALSE;
  if (r->has_update) SendMessageA(hWnd, WM_PAINT, 0, 0);
  return TRUE;
}
