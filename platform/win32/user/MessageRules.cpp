#include "MessageRules.h"

#include <cstdlib>

#include "WinUser.h"

namespace zorva::platform {

bool messageMatchesFilter(const MSG& msg, HWND filter, UINT min, UINT max,
                          bool (*isDescendant)(HWND window, HWND ancestor)) {
  if (msg.message == WM_QUIT) return true;
  if (filter != nullptr) {
    // Thread messages (no window) are only taken by unfiltered reads.
    if (msg.hwnd == nullptr) return false;
    if (msg.hwnd != filter && (isDescendant == nullptr || !isDescendant(msg.hwnd, filter)))
      return false;
  }
  if (min == 0 && max == 0) return true;
  if (min > max) return false;  // an empty range takes nothing
  return msg.message >= min && msg.message <= max;
}

bool isDoubleClick(const ClickRecord& previous, const ClickRecord& next, bool class_dblclks) {
  if (!class_dblclks || !previous.valid) return false;
  if (previous.window != next.window || previous.button != next.button) return false;
  if (next.time_ms < previous.time_ms) return false;
  if (next.time_ms - previous.time_ms > kDoubleClickMs) return false;
  const int half = kDoubleClickBoxPx / 2;
  return std::abs(next.x - previous.x) <= half && std::abs(next.y - previous.y) <= half;
}

static bool contains(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

HWND hitTestWindows(const std::vector<WindowBox>& boxes, int x, int y) {
  // chain[d] is the window hit at depth d; a child counts only when its parent is the hit
  // window one level up, and a later sibling (on top) replaces an earlier one's branch.
  std::vector<HWND> chain;
  for (const WindowBox& box : boxes) {
    if (!box.visible || !contains(box.screen, x, y) || box.depth < 0) continue;
    const size_t depth = static_cast<size_t>(box.depth);
    if (depth > chain.size()) continue;
    if (depth > 0 && chain[depth - 1] != box.parent) continue;
    chain.resize(depth);
    chain.push_back(box.window);
  }
  return chain.empty() ? nullptr : chain.back();
}

}  // namespace zorva::platform
