// The windows of the program's one thread: classes, the window tree and where each window
// lies on the screen. Shared by the queue (to route input) and the window calls.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../Surface.h"
#include "MessageRules.h"
#include "WinUser.h"

namespace zorva::platform {

struct WindowRecord {
  HWND handle = nullptr;
  WNDPROC proc = nullptr;
  UINT class_style = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
  HWND parent = nullptr;
  RECT rect{};  // top level: screen pixels; child: the parent's client coordinates
  std::string text;
  int id = 0;
  bool visible = false;
  bool backend_window = false;  // the top-level window the desktop shows
  std::vector<HWND> children;   // in creation order, so the last is on top
  bool has_update = false;      // an invalid part waits for WM_PAINT
  RECT update{};                // client coordinates
  bool erase = false;
  HMENU menu = nullptr;         // the menu bar SetMenu attached (top level only)
  HWND owner = nullptr;         // an owned pop-up's owner (drawn on the owner's surface)
  bool enabled = true;          // input to a disabled window and its children is dropped
  bool frame_pending = false;   // the non-client part waits to be drawn at the next BeginPaint
  HBRUSH background = nullptr;  // the class brush WM_ERASEBKGND fills with by default
  LONG user_data = 0;           // GWL_USERDATA
  std::unique_ptr<Surface> screen;  // the desktop window's content pixels
};

struct ClassRecord {
  WNDCLASSA info{};
  std::string name;
};

class WindowTree {
 public:
  static WindowTree& instance();

  WindowRecord* find(HWND window);
  HWND add(std::unique_ptr<WindowRecord> record);
  void remove(HWND window);
  bool isDescendant(HWND window, HWND ancestor);

  // Outer rectangle and client rectangle of a window in screen pixels.
  RECT screenRect(HWND window);
  RECT clientScreenRect(HWND window);
  // The window under a screen point, searching every top-level window's tree.
  HWND windowAt(int x, int y);
  // The first window (parents before children) with an invalid part that `filter` accepts.
  HWND firstToPaint(HWND filter);
  // The top-level window the desktop shows; null before it is made.
  HWND desktopWindow();
  // True when the window and all its ancestors are enabled.
  bool takesInput(HWND window);
  const std::vector<HWND>& topLevels() const { return top_levels_; }

  std::map<std::string, ClassRecord> classes;
  HWND focus = nullptr;
  ClickRecord last_click;

 private:
  void collect(HWND window, int depth, std::vector<WindowBox>& out);
  std::map<HWND, std::unique_ptr<WindowRecord>> windows_;
  std::vector<HWND> top_levels_;
  static constexpr size_t kRetiredScreens = 4;
  std::vector<std::unique_ptr<Surface>> retired_screens_;
  uintptr_t next_handle_ = 0x10000;
};

}  // namespace zorva::platform
