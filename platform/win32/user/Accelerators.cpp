// Accelerator tables: key presses turned into commands in the program's main loop.
#include <deque>
#include <map>
#include <memory>

#include "MenuBar.h"
#include "MenuKeys.h"
#include "MenuTable.h"
#include "Resources.h"
#include "WindowTree.h"

namespace zorva::platform {

namespace {

struct KeyPress {
  UINT virtual_key = 0;
  DWORD time_ms = 0;
  unsigned modifiers = 0;
};

// Presses waiting for their message to be read; older ones fall off, so a press whose message
// never reaches the accelerator code costs nothing lasting.
constexpr size_t kMaxKeyPresses = 64;
std::deque<KeyPress>& keyPresses() {
  static std::deque<KeyPress> presses;
  return presses;
}

struct AcceleratorTables {
  std::map<HACCEL, std::vector<ACCEL>> tables;
  uintptr_t next_handle = 0x30000;
};
AcceleratorTables& accelerators() {
  static AcceleratorTables state;
  return state;
}

unsigned modifiersOf(BYTE fVirt) {
  return ((fVirt & FSHIFT) ? ModShift : 0u) | ((fVirt & FCONTROL) ? ModCtrl : 0u) |
         ((fVirt & FALT) ? ModAlt : 0u);
}

// A command whose menu item is grey or disabled is not sent, as choosing the item would not.
bool commandAllowed(HWND window, WORD command) {
  WindowTree& tree = WindowTree::instance();
  HWND top = window;
  for (WindowRecord* r = tree.find(window); r != nullptr; r = tree.find(r->parent)) top = r->handle;
  WindowRecord* frame = tree.find(top);
  if (frame == nullptr || MenuTable::instance().find(frame->menu) == nullptr) return true;
  HMENU holder = nullptr;
  if (MenuTable::instance().findCommand(frame->menu, command, &holder) == nullptr) return true;
  // Let the frame bring the popup's states up to date first, as opening it would.
  MenuObject* bar = MenuTable::instance().find(frame->menu);
  for (size_t i = 0; i < bar->items.size(); ++i) {
    if (bar->items[i].popup != holder) continue;
    SendMessageA(top, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(holder),
                 MAKELPARAM(static_cast<WORD>(i), FALSE));
    break;
  }
  MenuItem* item = MenuTable::instance().findCommand(frame->menu, command);
  return item == nullptr || item->enabled();
}

}  // namespace

const ACCEL* matchAccelerator(const std::vector<ACCEL>& table, UINT virtual_key,
                              unsigned modifiers) {
  const unsigned wanted = modifiers & (ModShift | ModCtrl | ModAlt);
  for (const ACCEL& entry : table) {
    if ((entry.fVirt & FVIRTKEY) == 0) continue;
    if (entry.key == virtual_key && modifiersOf(entry.fVirt) == wanted) return &entry;
  }
  return nullptr;
}

void noteKeyEvent(const InputEvent& event) {
  if (event.kind != InputKind::KeyDown) return;
  auto& presses = keyPresses();
  presses.push_back(KeyPress{event.virtual_key, static_cast<DWORD>(event.time_ms),
                             event.modifiers});
  if (presses.size() > kMaxKeyPresses) presses.pop_front();
}

unsigned modifiersAtMessage(const MSG& msg) {
  auto& presses = keyPresses();
  // Messages are read in the order the presses came: drop those before this one.
  for (auto it = presses.begin(); it != presses.end(); ++it) {
    if (it->virtual_key != msg.wParam || it->time_ms != msg.time) continue;
    const unsigned modifiers = it->modifiers;
    presses.erase(presses.begin(), it + 1);
    return modifiers;
  }
  return (msg.lParam & (1L << 29)) ? static_cast<unsigned>(ModAlt) : 0u;
}

}  // namespace zorva::platform

using namespace zorva::platform;

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE, LPCSTR lpTableName) {
  const std::vector<ACCEL>* table = findAccelerators(lpTableName);
  if (table == nullptr) return nullptr;
  AcceleratorTables& state = accelerators();
  HACCEL handle = reinterpret_cast<HACCEL>(state.next_handle);
  state.next_handle += 4;
  state.tables[handle] = *table;
  return handle;
}

BOOL WINAPI DestroyAcceleratorTable(HACCEL hAccel) {
  return accelerators().tables.erase(hAccel) > 0 ? TRUE : FALSE;
}

int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
  if (lpMsg == nullptr || WindowTree::instance().find(hWnd) == nullptr) return 0;
  auto found = accelerators().tables.find(hAccTable);
  if (found == accelerators().tables.end()) return 0;
  if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN) return 0;
  const unsigned modifiers = modifiersAtMessage(*lpMsg);
  const ACCEL* entry =
      matchAccelerator(found->second, static_cast<UINT>(lpMsg->wParam), modifiers);
  if (entry == nullptr) return 0;
  // The key is used up either way; a disabled command simply does nothing.
  if (commandAllowed(hWnd, entry->cmd)) SendMessageA(hWnd, WM_COMMAND, static_cast<WPARAM>(MAKELONG(entry->cmd, 1)), 0);
  return 1;
}
