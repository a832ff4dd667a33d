// The thread's message queue: posted messages first, then input taken from the desktop only
// when the queue is read, then the quit request once nothing else is waiting.
#include <deque>

#include "../kernel/WinRect.h"
#include "MenuBar.h"
#include "ScreenSurface.h"
#include "WindowTree.h"
#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {
namespace {

struct QueueState {
  std::deque<MSG> posted;
  std::deque<MSG> input;
  bool quit_pending = false;
  int quit_code = 0;
  DWORD last_time = 0;
  unsigned buttons = 0;  // MK_LBUTTON / MK_RBUTTON / MK_MBUTTON held
};

QueueState& queue() {
  static QueueState state;
  return state;
}

bool descendant(HWND window, HWND ancestor) {
  return WindowTree::instance().isDescendant(window, ancestor);
}

UINT mouseMessage(const InputEvent& e, bool dbl) {
  const UINT base = e.button == MouseButton::Left    ? WM_LBUTTONDOWN
                    : e.button == MouseButton::Right ? WM_RBUTTONDOWN
                                                     : WM_MBUTTONDOWN;
  if (e.kind == InputKind::MouseUp) return base + 1;
  return dbl ? base + 2 : base;
}

unsigned buttonBit(MouseButton b) {
  return b == MouseButton::Left ? MK_LBUTTON : b == MouseButton::Right ? MK_RBUTTON : MK_MBUTTON;
}

// The pointer on a window's frame (its border or client edge) is in its non-client area: the
// window gets the WM_NC* message with the hit-test code and the screen point, never a client
// message with a point outside its client area. A press there is no half of a double click.
void queueNonClientMouse(const InputEvent& e, HWND target, int sx, int sy) {
  constexpr UINT kClientToNonClient = WM_MOUSEMOVE - WM_NCMOUSEMOVE;
  UINT message = WM_NCMOUSEMOVE;
  if (e.kind != InputKind::MouseMove) message = mouseMessage(e, false) - kClientToNonClient;
  if (e.kind == InputKind::MouseDown) WindowTree::instance().last_click = ClickRecord{};
  queue().input.push_back(MSG{target, message, HTBORDER, MAKELPARAM(sx, sy),
                              static_cast<DWORD>(e.time_ms), {sx, sy}});
}

void queueMouse(const InputEvent& e) {
  WindowTree& tree = WindowTree::instance();
  QueueState& q = queue();
  ScreenRect content = desktopBackend().contentRect();
  const int sx = content.left + e.x;
  const int sy = content.top + e.y;
  if (e.kind == InputKind::MouseDown) q.buttons |= buttonBit(e.button);
  if (e.kind == InputKind::MouseUp) q.buttons &= ~buttonBit(e.button);
  HWND target = GetCapture() ? GetCapture() : tree.windowAt(sx, sy);
  WindowRecord* record = tree.find(target);
  // A disabled window (a frame under a modal dialog) and its children take no input.
  if (record == nullptr || !tree.takesInput(target)) return;
  const RECT client = tree.clientScreenRect(target);
  if (GetCapture() != target && !PtInRect(&client, POINT{sx, sy})) {
    queueNonClientMouse(e, target, sx, sy);
    return;
  }
  UINT message = WM_MOUSEMOVE;
  if (e.kind != InputKind::MouseMove) {
    bool dbl = false;
    if (e.kind == InputKind::MouseDown) {
      ClickRecord click{true, target, static_cast<int>(e.button), sx, sy, e.time_ms};
      dbl = isDoubleClick(tree.last_click, click, (record->class_style & CS_DBLCLKS) != 0);
      // A double click ends the pair; a third click starts a new one.
      tree.last_click = dbl ? ClickRecord{} : click;
    }
    message = mouseMessage(e, dbl);
  }
  const int cx = sx - client.left;
  const int cy = sy - client.top;
  WPARAM flags = q.buttons;
  if (e.modifiers & ModShift) flags |= MK_SHIFT;
  if (e.modifiers & ModCtrl) flags |= MK_CONTROL;
  MSG msg{target, message, flags, MAKELPARAM(cx, cy), static_cast<DWORD>(e.time_ms), {sx, sy}};
  q.input.push_back(msg);
}

HWND topLevelWindow() {
  WindowTree& tree = WindowTree::instance();
  for (WindowRecord* r = tree.find(tree.focus); r != nullptr; r = tree.find(r->parent))
    if (r->parent == nullptr) return r->handle;
  return GetActiveWindow();
}

// The menu bar sees raw input first: clicks in its rows, Alt and F10, anything while a popup
// is open. Not while the frame is disabled under a modal dialog.
bool menuConsumes(const InputEvent& e) {
  if (e.kind == InputKind::CloseRequest || e.kind == InputKind::Expose ||
      e.kind == InputKind::Resize)
    return false;
  WindowTree& tree = WindowTree::instance();
  HWND desktop = tree.desktopWindow();
  if (desktop == nullptr || !tree.takesInput(desktop)) return false;
  return menuTakesInput(desktop, e);
}

void queueEvent(const InputEvent& e) {
  QueueState& q = queue();
  if (menuConsumes(e)) return;
  switch (e.kind) {
    case InputKind::MouseDown:
    case InputKind::MouseUp:
    case InputKind::MouseMove:
      queueMouse(e);
      break;
    case InputKind::KeyDown:
    case InputKind::KeyUp: {
      HWND target = WindowTree::instance().focus ? WindowTree::instance().focus
                                                 : topLevelWindow();
      if (target == nullptr || !WindowTree::instance().takesInput(target)) break;
      const bool alt = (e.modifiers & ModAlt) != 0;
      UINT message = e.kind == InputKind::KeyDown ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN)
                                                  : (alt ? WM_SYSKEYUP : WM_KEYUP);
      LPARAM lp = 1 | (alt ? (1L << 29) : 0) | (e.kind == InputKind::KeyUp ? (3L << 30) : 0);
      q.input.push_back(MSG{target, message, e.virtual_key, lp,
                            static_cast<DWORD>(e.time_ms), {0, 0}});
      break;
    }
    case InputKind::CloseRequest: {
      // The desktop's close button belongs to the frame; a disabled frame ignores it.
      HWND desktop = WindowTree::instance().desktopWindow();
      if (desktop != nullptr && WindowTree::instance().takesInput(desktop))
        q.input.push_back(MSG{desktop, WM_CLOSE, 0, 0, static_cast<DWORD>(e.time_ms), {0, 0}});
      break;
    }
    case InputKind::Resize:
      desktopResized(e.width, e.height);
      break;
    case InputKind::Expose:
      // The backend has shown its copy of the content again, every pixel as last presented:
      // nothing is repainted, so what the program drew outside a paint (an item's frame) stays.
      break;
  }
}

void takeInput() {
  showHeldChanges();
  InputEvent e;
  while (desktopBackend().pollEvent(e)) queueEvent(e);
}

bool takeFrom(std::deque<MSG>& list, LPMSG out, HWND filter, UINT min, UINT max, bool remove) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (!messageMatchesFilter(*it, filter, min, max, descendant)) continue;
    *out = *it;
    if (remove) list.erase(it);
    return true;
  }
  return false;
}

}  // namespace
}  // namespace zorva::platform

using namespace zorva::platform;

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
  if (lpMsg == nullptr) return FALSE;
  QueueState& q = queue();
  takeInput();
  const bool remove = (wRemoveMsg & PM_REMOVE) != 0;
  if (takeFrom(q.posted, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove) ||
      takeFrom(q.input, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) {
    q.last_time = lpMsg->time;
    return TRUE;
  }
  // The quit request waits until nothing else is queued, and is handed over once.
  if (q.quit_pending && q.posted.empty() && q.input.empty()) {
    *lpMsg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quit_code), 0, q.last_time, {0, 0}};
    if (remove) q.quit_pending = false;
    return TRUE;
  }
  // Painting is asked for only when nothing else waits; the message stays until validated.
  const bool paint_in_range = (wMsgFilterMin == 0 && wMsgFilterMax == 0) ||
                              (wMsgFilterMin <= WM_PAINT && WM_PAINT <= wMsgFilterMax);
  if (paint_in_range) {
    if (HWND h = WindowTree::instance().firstToPaint(hWnd)) {
      *lpMsg = MSG{h, WM_PAINT, 0, 0, static_cast<DWORD>(desktopBackend().nowMs()), {0, 0}};
      return TRUE;
    }
  }
  return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (lpMsg == nullptr) return -1;
  while (!PeekMessageA(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE))
    desktopBackend().waitForEvent(-1);
  return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI WaitMessage(void) {
  desktopBackend().waitForEvent(-1);
  return TRUE;
}

DWORD WINAPI GetMessageTime(void) { return queue().last_time; }

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd != nullptr && WindowTree::instance().find(hWnd) == nullptr) return FALSE;
  queue().posted.push_back(
      MSG{hWnd, Msg, wParam, lParam, static_cast<DWORD>(desktopBackend().nowMs()), {0, 0}});
  return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
  queue().quit_pending = true;
  queue().quit_code = nExitCode;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  WindowRecord* r = WindowTree::instance().find(hWnd);
  if (r == nullptr || r->proc == nullptr) return 0;
  return r->proc(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  if (lpMsg == nullptr || lpMsg->hwnd == nullptr) return 0;
  return SendMessageA(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (lpMsg == nullptr || lpMsg->message != WM_KEYDOWN) return FALSE;
  const WPARAM vk = lpMsg->wParam;
  char ch = 0;
  if (vk >= 'A' && vk <= 'Z') ch = static_cast<char>(vk - 'A' + 'a');
  else if ((vk >= '0' && vk <= '9') || vk == ' ') ch = static_cast<char>(vk);
  else if (vk == VK_RETURN) ch = '\r';
  else if (vk == VK_ESCAPE) ch = 0x1B;
  else if (vk == VK_BACK) ch = '\b';
  if (ch == 0) return FALSE;
  queue().posted.push_back(
      MSG{lpMsg->hwnd, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), lpMsg->lParam,
          lpMsg->time, lpMsg->pt});
  return TRUE;
}
