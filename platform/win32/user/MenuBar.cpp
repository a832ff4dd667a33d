#include "MenuBar.h"

#include "../gdi/TextRenderer.h"
#include "WindowTree.h"

namespace zorva::platform {

namespace {
// Rows above and below a title's text line.
constexpr int kBarPaddingTop = 3;
constexpr int kBarPaddingBottom = 4;
}  // namespace

int menuBarHeight(HWND frame) {
  WindowRecord* record = WindowTree::instance().find(frame);
  if (record == nullptr || record->menu == nullptr) return 0;
  return fontLineHeight(dialogFont()) + kBarPaddingTop + kBarPaddingBottom;
}

void paintMenuBar(HWND) {}

bool menuTakesInput(HWND, const InputEvent&) { return false; }

}  // namespace zorva::platform
