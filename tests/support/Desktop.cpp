#include "tests/support/Desktop.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/backend/PixelHoldingDesktop.h"
#include "platform/win32/user/WindowTree.h"

namespace zorva::testing {

using platform::InputEvent;
using platform::InputKind;
using platform::MouseButton;

namespace {
void destroyAll() {
  auto& tree = platform::WindowTree::instance();
  for (int guard = 0; guard < 64 && !tree.topLevels().empty(); ++guard)
    DestroyWindow(tree.topLevels().back());
}

// Empties the queue, quit request included, without running anything.
void discardQueue() {
  MSG m;
  for (int i = 0; i < 10000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i)
    if (m.message == WM_PAINT) ValidateRect(m.hwnd, nullptr);
}
}  // namespace

void registerWindowClass(const char* name, WNDPROC proc, HBRUSH background, UINT style) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

Desktop::Desktop(int work_width, int work_height) {
  destroyAll();
  backend_ = &platform::HeadlessBackend::install();
  backend_->setWorkArea(platform::ScreenRect{0, 0, work_width, work_height});
  discardQueue();
}

Desktop::~Desktop() {
  destroyAll();
  discardQueue();
}

POINT Desktop::contentPoint(HWND window, int x, int y) const {
  POINT p{x, y};
  ClientToScreen(window, &p);
  const platform::ScreenRect c = backend_->contentRect();
  return POINT{p.x - c.left, p.y - c.top};
}

void Desktop::mouse(POINT content, MouseButton button, bool twice) {
  InputEvent down;
  down.kind = InputKind::MouseDown;
  down.x = content.x;
  down.y = content.y;
  down.button = button;
  InputEvent up = down;
  up.kind = InputKind::MouseUp;
  for (int i = 0; i < (twice ? 2 : 1); ++i) {
    backend_->inject(down);
    backend_->inject(up);
  }
}

void Desktop::click(HWND window, int x, int y) {
  mouse(contentPoint(window, x, y), MouseButton::Left, false);
}
void Desktop::clickContent(int x, int y, MouseButton button) {
  mouse(POINT{x, y}, button, false);
}
void Desktop::rightClick(HWND window, int x, int y) {
  mouse(contentPoint(window, x, y), MouseButton::Right, false);
}
void Desktop::doubleClick(HWND window, int x, int y) {
  mouse(contentPoint(window, x, y), MouseButton::Left, true);
}

void Desktop::scheduleMouse(uint64_t at_ms, InputKind kind, HWND window, int x, int y,
                            MouseButton button) {
  const POINT p = contentPoint(window, x, y);
  InputEvent event;
  event.kind = kind;
  event.x = p.x;
  event.y = p.y;
  event.button = button;
  backend_->schedule(at_ms, event);
}

void Desktop::scheduleClick(uint64_t at_ms, HWND window, int x, int y) {
  scheduleMouse(at_ms, InputKind::MouseDown, window, x, y);
  scheduleMouse(at_ms + 1, InputKind::MouseUp, window, x, y);
}

void Desktop::key(unsigned virtual_key, unsigned modifiers) {
  InputEvent e;
  e.kind = InputKind::KeyDown;
  e.virtual_key = virtual_key;
  e.modifiers = modifiers;
  backend_->inject(e);
  e.kind = InputKind::KeyUp;
  backend_->inject(e);
}

void Desktop::requestClose() {
  InputEvent e;
  e.kind = InputKind::CloseRequest;
  backend_->inject(e);
}

void Desktop::resize(int content_width, int content_height) {
  InputEvent e;
  e.kind = InputKind::Resize;
  e.width = content_width;
  e.height = content_height;
  backend_->inject(e);
}

void Desktop::expose() {
  InputEvent e;
  e.kind = InputKind::Expose;
  backend_->inject(e);
}

bool Desktop::pumpUntilIdle(int bound) {
  MSG m;
  for (int n = 0; n < bound; ++n) {
    if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) return true;
    if (m.message == WM_QUIT) {
      quit_code_ = static_cast<int>(m.wParam);
      return true;
    }
    if (preTranslate && preTranslate(m)) continue;
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  ADD_FAILURE() << "the queue did not empty within " << bound << " messages";
  return false;
}

COLORREF Desktop::pixel(HWND window, int x, int y) const {
  platform::showHeldPixels();
  const POINT p = contentPoint(window, x, y);
  return backend_->contentPixel(p.x, p.y);
}

}  // namespace zorva::testing
