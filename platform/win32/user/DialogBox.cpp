// Modal dialogs from templates: a pop-up window owned by the main window and drawn on its
// screen surface, run by a loop nested over the same message pump while the owner is disabled.
#include <map>

#include "../gdi/TextRenderer.h"
#include "DialogLayout.h"
#include "DialogPaint.h"
#include "MenuOverlay.h"
#include "ScreenSurface.h"
#include "WindowTree.h"
#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {
namespace {

constexpr const char* kDialogClass = "ZorvaModalDialog";

struct DialogState {
  const DialogTemplate* dialog = nullptr;
  DLGPROC proc = nullptr;
  DialogGeometry geometry;
  bool ended = false;
  INT_PTR result = IDCANCEL;
  int pressed = -1;  // the push button a left press began on
};

std::map<HWND, DialogState>& dialogs() {
  static std::map<HWND, DialogState> open;
  return open;
}

DialogState* stateOf(HWND dlg) {
  auto it = dialogs().find(dlg);
  return it == dialogs().end() ? nullptr : &it->second;
}

int buttonAt(const DialogState& s, int x, int y) {
  for (size_t i = 0; i < s.dialog->items.size(); ++i) {
    const DialogItemKind kind = s.dialog->items[i].kind;
    const RECT& r = s.geometry.items[i];
    if ((kind == DialogItemKind::PushButton || kind == DialogItemKind::DefPushButton) &&
        x >= r.left && x < r.right && y >= r.top && y < r.bottom)
      return static_cast<int>(i);
  }
  return -1;
}

int defaultButtonId(const DialogState& s) {
  for (const DialogItemTemplate& item : s.dialog->items)
    if (item.kind == DialogItemKind::DefPushButton) return item.id;
  return IDOK;
}

void command(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, static_cast<WPARAM>(id & 0xFFFF), 0); }

// What a dialog does with the messages its procedure leaves alone.
LRESULT defaultDialog(HWND dlg, DialogState& s, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(dlg, &ps);
      if (dc != nullptr) drawDialog(dc, *s.dialog, s.geometry, s.dialog->caption);
      EndPaint(dlg, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painting covers every pixel
    case WM_KEYDOWN:
      if (w == VK_RETURN) command(dlg, defaultButtonId(s));
      if (w == VK_ESCAPE) command(dlg, IDCANCEL);
      return 0;
    case WM_LBUTTONDOWN:
      s.pressed = buttonAt(s, static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
      return 0;
    case WM_LBUTTONUP: {
      const int released = buttonAt(s, static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
      const int pressed = s.pressed;
      s.pressed = -1;
      if (released >= 0 && released == pressed) command(dlg, s.dialog->items[released].id);
      return 0;
    }
    case WM_CLOSE:
      command(dlg, IDCANCEL);
      return 0;
    default:
      return DefWindowProcA(dlg, m, w, l);
  }
}

LRESULT CALLBACK dialogWindowProc(HWND dlg, UINT m, WPARAM w, LPARAM l) {
  DialogState* s = stateOf(dlg);
  if (s == nullptr) return DefWindowProcA(dlg, m, w, l);
  if (s->proc != nullptr && s->proc(dlg, m, w, l)) return TRUE;
  if ((s = stateOf(dlg)) == nullptr) return 0;
  return defaultDialog(dlg, *s, m, w, l);
}

bool registerDialogClass() {
  static const bool registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = dialogWindowProc;
    cls.lpszClassName = kDialogClass;
    WNDCLASSA existing{};
    return GetClassInfoA(nullptr, kDialogClass, &existing) || RegisterClassA(&cls) != 0;
  }();
  return registered;
}

// Runs the nested loop until the dialog ends, its owner goes, or the program is asked to quit
// (the quit request is left for the outer loop).
void runModal(HWND dlg, HWND owner) {
  MSG msg;
  while (IsWindow(dlg) && IsWindow(owner)) {
    DialogState* s = stateOf(dlg);
    if (s == nullptr || s->ended) break;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace
}  // namespace zorva::platform

using namespace zorva::platform;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  const DialogTemplate* dialog = findDialog(lpTemplateName);
  HWND owner = desktopWindowOf(hWndParent);
  if (owner == nullptr) owner = WindowTree::instance().desktopWindow();
  Surface* surface = screenSurfaceOf(owner);
  if (dialog == nullptr || owner == nullptr || surface == nullptr || !registerDialogClass())
    return -1;
  const RECT over = surfaceToScreen(PixelRect{0, 0, surface->width(), surface->height()});
  DialogState state;
  state.dialog = dialog;
  state.proc = lpDialogFunc;
  state.geometry = layoutDialog(*dialog, dialogFont(), over);
  const RECT& r = state.geometry.window;
  HWND dlg = CreateWindowExA(WS_EX_DLGMODALFRAME, kDialogClass, dialog->caption.c_str(), WS_POPUP,
                             r.left, r.top, r.right - r.left, r.bottom - r.top, owner, nullptr,
                             nullptr, nullptr);
  if (dlg == nullptr) return -1;
  dialogs()[dlg] = state;
  const HWND focus_before = GetFocus();
  SendMessageA(dlg, WM_INITDIALOG, 0, dwInitParam);
  ScreenOverlay overlay;
  const bool owner_was_enabled = !EnableWindow(owner, FALSE);
  if (stateOf(dlg) != nullptr && !stateOf(dlg)->ended) {
    overlay.save(owner, screenToSurface(r));
    ShowWindow(dlg, SW_SHOW);
    InvalidateRect(dlg, nullptr, TRUE);
    UpdateWindow(dlg);
    overlay.noteDrawn();
    SetFocus(dlg);
    runModal(dlg, owner);
  }
  INT_PTR result = IDCANCEL;  // ended without EndDialog (owner gone, quit): as if cancelled
  if (DialogState* s = stateOf(dlg); s != nullptr && s->ended) result = s->result;
  // The owner takes input again before the dialog goes, so the focus can return to it.
  if (owner_was_enabled && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (IsWindow(dlg)) DestroyWindow(dlg);
  dialogs().erase(dlg);
  if (IsWindow(owner)) {
    overlay.restore();
    SetFocus(IsWindow(focus_before) ? focus_before : owner);
  }
  return result;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  DialogState* s = stateOf(hDlg);
  if (s == nullptr) return FALSE;
  s->ended = true;
  s->result = nResult;
  return TRUE;
}
