#include "MenuBar.h"

#include "../gdi/WinGdi.h"
#include "MenuKeys.h"
#include "MenuLayout.h"
#include "MenuTable.h"
#include "WindowTree.h"

namespace zorva::platform {

namespace {
HFONT menuFont() { return static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)); }

MenuObject* barOf(HWND frame) {
  WindowRecord* record = WindowTree::instance().find(frame);
  if (record == nullptr || (record->style & WS_CHILD)) return nullptr;
  return MenuTable::instance().find(record->menu);
}
}  // namespace

int menuBarHeight(HWND frame) { return barOf(frame) ? menuBarHeightFor(menuFont()) : 0; }

// Drawing the bar and opening popups come with the screen surface.
void paintMenuBar(HWND) {}

bool menuTakesInput(HWND, const InputEvent& event) {
  noteKeyEvent(event);
  return false;
}

}  // namespace zorva::platform
