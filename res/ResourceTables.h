// The program's resources as plain tables: menu 128, accelerators 128, strings 128 and 57344,
// icon 128 and the about box 100. The window layer's resource registry reads them from here.
#pragma once

#include <cstdint>

namespace zorva_res {

enum : uint16_t {
  IDR_MAINFRAME = 128,
  IDD_ABOUTBOX = 100,
  IDS_APP_TITLE = 57344,  // the framework's AFX_IDS_APP_TITLE
};

struct MenuEntry {
  const char* popup;  // caption of the popup the entry belongs to
  const char* text;   // nullptr for a separator
  uint16_t id;        // 0 for a separator
};

// Virtual-key accelerators; flags are FVIRTKEY plus FCONTROL/FSHIFT/FALT (winuser values).
struct AccelEntry {
  uint8_t flags;
  uint16_t key;
  uint16_t id;
};

struct StringEntry {
  uint16_t id;
  const char* text;
};

// One item of a dialog template, positions and sizes in dialog units.
struct DialogItem {
  enum Kind { Icon, Static, MultiLineStatic, DefPushButton };
  Kind kind;
  int id;            // -1 for IDC_STATIC
  const char* text;  // for an icon: its resource id as text ("128")
  int x, y, cx, cy;
};

struct DialogTemplate {
  uint16_t id;
  const char* caption;
  int cx, cy;
  const char* font;
  int pointSize;
  uint32_t style;
  const DialogItem* items;
  int itemCount;
};

// A 32x32 icon as 0x00RRGGBB pixels with a separate mask (true: transparent).
struct IconImage {
  uint16_t id;
  int width, height;
  const uint32_t* pixels;
  const bool* transparent;
};

const MenuEntry* mainMenu(int* count);
const AccelEntry* mainAccelerators(int* count);
const StringEntry* stringTable(int* count);
const DialogTemplate& aboutDialog();
const IconImage& appIcon();

}  // namespace zorva_res
