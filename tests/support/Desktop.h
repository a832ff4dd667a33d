// A headless desktop for tests that drive windows: installs the headless backend with a work
// area, sends clicks and keys to points of a window's client area, pumps the queue with a
// bound, and reads the screen's pixels in a window's client coordinates. Windows left at the
// end are destroyed, so each test starts on an empty desktop.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/user/WinUser.h"

namespace zorva::testing {

// Registers a window class of `proc` for the test's windows; a class an earlier test of the
// program registered under the name stays as it was (a second registration is refused).
void registerWindowClass(const char* name, WNDPROC proc, HBRUSH background = nullptr,
                         UINT style = 0);

class Desktop {
 public:
  explicit Desktop(int work_width = 1280, int work_height = 994);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  platform::HeadlessBackend& backend() { return *backend_; }

  // Press and release at a client point of `window`, or at a point of the content (backend
  // coordinates: over the menu bar, a dialog).
  void click(HWND window, int x, int y);
  void clickContent(int x, int y, platform::MouseButton button = platform::MouseButton::Left);
  void rightClick(HWND window, int x, int y);
  // Two clicks at the same point and moment (a double click for CS_DBLCLKS classes).
  void doubleClick(HWND window, int x, int y);
  void key(unsigned virtual_key, unsigned modifiers = 0);
  // A mouse event at a client point of `window` that arrives at `at_ms` on the virtual clock,
  // while the program is busy; a scheduled click is released a millisecond after its press.
  void scheduleMouse(uint64_t at_ms, platform::InputKind kind, HWND window, int x, int y,
                     platform::MouseButton button = platform::MouseButton::Left);
  void scheduleClick(uint64_t at_ms, HWND window, int x, int y);
  void requestClose();
  void resize(int content_width, int content_height);
  void expose();

  // Gives each message to the loop's hooks (pre-translation, then TranslateMessage and
  // DispatchMessage) until none waits. Fails the test and returns false after `bound` messages,
  // so a paint that never validates cannot hang it. A quit request stops the pump and is kept.
  bool pumpUntilIdle(int bound = 10000);
  std::function<bool(MSG&)> preTranslate;  // true: the message was taken (an accelerator)
  std::optional<int> quitCode() const { return quit_code_; }

  // The screen pixel at a client point of `window` as the learner sees it once the program next
  // waits: what the desktop holds back is shown first.
  COLORREF pixel(HWND window, int x, int y) const;
  // The content point (backend coordinates) of a client point of `window`.
  POINT contentPoint(HWND window, int x, int y) const;

 private:
  void mouse(POINT content, platform::MouseButton button, bool twice);
  platform::HeadlessBackend* backend_;
  std::optional<int> quit_code_;
};

}  // namespace zorva::testing
