// Decisions the window manager makes about messages, kept free of state so they can be checked
// on their own: which queued message a filtered read takes, when two clicks make a double
// click, and which window of a tree lies under a point.
#pragma once

#include <cstdint>
#include <vector>

#include "WinUser.h"

namespace zorva::platform {

// True when a read with window filter `filter` (null: every window of the thread and thread
// messages) and range [min, max] (both 0: every message) takes `msg`. A quit request is taken
// by any read whatever its filters, so a loop that waits for one message still sees it.
bool messageMatchesFilter(const MSG& msg, HWND filter, UINT min, UINT max,
                          bool (*isDescendant)(HWND window, HWND ancestor));

struct ClickRecord {
  bool valid = false;
  HWND window = nullptr;
  int button = 0;  // 0 left, 1 right, 2 middle
  int x = 0;       // screen pixels
  int y = 0;
  uint64_t time_ms = 0;
};

inline constexpr uint64_t kDoubleClickMs = 500;
inline constexpr int kDoubleClickBoxPx = 4;  // the box centred on the first click

// True when `next` completes a double click begun by `previous`, for a window whose class
// asks for double clicks.
bool isDoubleClick(const ClickRecord& previous, const ClickRecord& next, bool class_dblclks);

struct WindowBox {
  HWND window = nullptr;
  HWND parent = nullptr;  // null for the top-level window
  RECT screen{};      // the window's outer rectangle in screen pixels
  int depth = 0;      // 0 for the top-level window, parent's depth + 1 for a child
  bool visible = true;
};

// The deepest visible window containing (x, y); among siblings the one listed last (created
// last, so on top) wins. `boxes` lists the tree in pre-order (each window
// followed by its subtree). Null when none.
HWND hitTestWindows(const std::vector<WindowBox>& boxes, int x, int y);

}  // namespace zorva::platform
