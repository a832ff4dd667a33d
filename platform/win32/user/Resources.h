// The program's resources (menus, accelerator tables, string tables, dialog templates, icons),
// written in C++ that reads like a resource script. Each description registers itself when the
// program's static objects are constructed; LoadMenuA, LoadAcceleratorsA, LoadStringA,
// LoadIconA and DialogBoxParamA (and CDialog::DoModal, CFrameWnd::LoadFrame) find them by id.
//
// Example (a res/ file of the program):
//
//   #include <afxwin.h>
//   #include "user/Resources.h"
//   #include "res/resource.h"
//
//   MENU_RESOURCE(IDR_MAINFRAME,
//     POPUP("&File",
//       MENUITEM("&Open...\tCtrl+O", ID_FILE_OPEN),
//       MENUITEM_SEPARATOR,
//       MENUITEM("E&xit", ID_APP_EXIT)),
//     POPUP("&Help",
//       MENUITEM("&About Zorva...", ID_APP_ABOUT)));
//
//   ACCELERATORS_RESOURCE(IDR_MAINFRAME,
//     ACCELKEY('O', ID_FILE_OPEN, FVIRTKEY | FCONTROL),
//     ACCELKEY(VK_F6, ID_NEXT_PANE, FVIRTKEY),
//     ACCELKEY(VK_F6, ID_PREV_PANE, FVIRTKEY | FSHIFT));
//
//   STRINGTABLE_RESOURCE(
//     STRING(IDR_MAINFRAME, "Zorva"),
//     STRING(AFX_IDS_APP_TITLE, "Zorva"));
//
//   DIALOG_RESOURCE(IDD_ABOUTBOX, 0, 0, 217, 55, DS_MODALFRAME | WS_POPUP | WS_CAPTION,
//                   "About Zorva", "MS Sans Serif", 8,
//     ICON(IDR_MAINFRAME, IDC_STATIC, 11, 17, 20, 20),
//     LTEXT("Zorva Version 1.0", IDC_STATIC, 40, 10, 119, 8),
//     LTEXT("A long text that wraps onto the next lines of its box.", IDC_STATIC, 40, 25, 119, 24),
//     DEFPUSHBUTTON("OK", IDOK, 178, 7, 32, 14));
//
//   ICON_RESOURCE(IDR_MAINFRAME,
//     ICON_COLORS(ICON_COLOR('.', RGB(255, 255, 255)), ICON_COLOR('#', RGB(0, 0, 128))),
//     "................................",   // 32 rows of 32 characters, top row first;
//     ".##############################.",   // a character missing from the palette is
//     ...);                                   // transparent.
//
// Dialog coordinates are dialog units of the template's font (x units are 1/4 of the average
// character width, y units 1/8 of the line height). LTEXT/CTEXT/RTEXT word-wrap inside their
// box as static controls do; text after "\t" in a menu item is its accelerator text, shown
// right-aligned; "&" marks the mnemonic ("&&" is a literal ampersand).
// Registering a second resource of the same kind and id replaces the first (tests rely on it).
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "WinUser.h"

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

namespace zorva::platform {

struct MenuItemTemplate {
  std::string text;                    // with "&" mnemonics and "\t" accelerator text
  UINT id = 0;                         // command id (0 for popups and separators)
  UINT flags = 0;                      // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED
  std::vector<MenuItemTemplate> items; // a popup's items
};

struct MenuTemplate {
  std::vector<MenuItemTemplate> items; // the menu bar's entries
};

enum class DialogItemKind { Icon, LeftText, CenterText, RightText, PushButton, DefPushButton };

struct DialogItemTemplate {
  DialogItemKind kind = DialogItemKind::LeftText;
  std::string text;   // the caption; for an icon, empty (iconId says which)
  UINT iconId = 0;    // icons only
  int id = IDC_STATIC;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  DWORD style = 0;    // extra WS_/SS_/BS_ bits
};

struct DialogTemplate {
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units; the dialog is centred over its owner
  DWORD style = 0;
  std::string caption;
  std::string fontName;
  WORD pointSize = 8;
  std::vector<DialogItemTemplate> items;
};

struct IconColor {
  char symbol = ' ';
  COLORREF color = 0;
};

struct IconPalette {
  std::vector<IconColor> colors;
};

constexpr int kIconSizePx = 32;

struct IconTemplate {
  // kIconSizePx * kIconSizePx pixels, top row first; 0xFFFFFFFF marks a transparent pixel.
  std::vector<COLORREF> pixels;
};
constexpr COLORREF kIconTransparent = 0xFFFFFFFFu;

struct StringEntry {
  UINT id = 0;
  const char* text = "";
};

// Registration (returns true, so a static bool can hold the result).
bool registerMenu(UINT id, std::initializer_list<MenuItemTemplate> items);
bool registerAccelerators(UINT id, std::initializer_list<ACCEL> entries);
bool registerStrings(std::initializer_list<StringEntry> entries);
bool registerDialog(UINT id, DialogTemplate dialog);
bool registerDialog(UINT id, short x, short y, short cx, short cy, DWORD style,
                    const char* caption, const char* fontName, WORD pointSize,
                    std::initializer_list<DialogItemTemplate> items);
// Rows shorter than 32 characters, or fewer than 32 rows, leave the rest transparent; longer
// rows and extra rows are ignored.
bool registerIcon(UINT id, const IconPalette& palette, std::initializer_list<const char*> rows);

// Look-ups by resource name (MAKEINTRESOURCE(id) or "#id"); null when there is none.
const MenuTemplate* findMenu(LPCSTR name);
const std::vector<ACCEL>* findAccelerators(LPCSTR name);
const std::string* findString(UINT id);
const DialogTemplate* findDialog(LPCSTR name);
const IconTemplate* findIcon(LPCSTR name);

// Resource name → integer id; false for names that are neither form.
bool resourceIdFromName(LPCSTR name, UINT& id);

}  // namespace zorva::platform

#define ZORVA_RES_CAT2(a, b) a##b
#define ZORVA_RES_CAT(a, b) ZORVA_RES_CAT2(a, b)
#define ZORVA_RES_NAME ZORVA_RES_CAT(zorvaResource_, __COUNTER__)

#define MENU_RESOURCE(id, ...)                                             \
  [[maybe_unused]] static const bool ZORVA_RES_NAME =                      \
      ::zorva::platform::registerMenu((UINT)(id), {__VA_ARGS__})
#define POPUP(text, ...) \
  ::zorva::platform::MenuItemTemplate { text, 0, MF_POPUP, { __VA_ARGS__ } }
#define MENUITEM(text, id) \
  ::zorva::platform::MenuItemTemplate { text, (UINT)(id), 0, {} }
#define MENUITEM_FLAGS(text, id, flags) \
  ::zorva::platform::MenuItemTemplate { text, (UINT)(id), (UINT)(flags), {} }
#define MENUITEM_SEPARATOR \
  ::zorva::platform::MenuItemTemplate { "", 0, MF_SEPARATOR, {} }

#define ACCELERATORS_RESOURCE(id, ...)                                     \
  [[maybe_unused]] static const bool ZORVA_RES_NAME =                      \
      ::zorva::platform::registerAccelerators((UINT)(id), {__VA_ARGS__})
#define ACCELKEY(key, cmd, flags) \
  ACCEL { (BYTE)(flags), (WORD)(key), (WORD)(cmd) }

#define STRINGTABLE_RESOURCE(...)                                          \
  [[maybe_unused]] static const bool ZORVA_RES_NAME =                      \
      ::zorva::platform::registerStrings({__VA_ARGS__})
#define STRING(id, text) \
  ::zorva::platform::StringEntry { (UINT)(id), text }

#define DIALOG_RESOURCE(id, x, y, cx, cy, style, caption, font, size, ...)        \
  [[maybe_unused]] static const bool ZORVA_RES_NAME =                             \
      ::zorva::platform::registerDialog((UINT)(id), x, y, cx, cy, (DWORD)(style), \
                                        caption, font, size, {__VA_ARGS__})
#define ZORVA_DLG_ITEM(kind, text, icon, id, x, y, cx, cy, style)                      \
  ::zorva::platform::DialogItemTemplate {                                              \
    ::zorva::platform::DialogItemKind::kind, text, (UINT)(icon), (int)(id), (short)(x), \
        (short)(y), (short)(cx), (short)(cy), (DWORD)(style)                           \
  }
#define ICON(iconId, id, x, y, cx, cy) ZORVA_DLG_ITEM(Icon, "", iconId, id, x, y, cx, cy, SS_ICON)
#define LTEXT(text, id, x, y, cx, cy) ZORVA_DLG_ITEM(LeftText, text, 0, id, x, y, cx, cy, SS_LEFT)
#define CTEXT(text, id, x, y, cx, cy) ZORVA_DLG_ITEM(CenterText, text, 0, id, x, y, cx, cy, SS_CENTER)
#define RTEXT(text, id, x, y, cx, cy) ZORVA_DLG_ITEM(RightText, text, 0, id, x, y, cx, cy, SS_RIGHT)
#define PUSHBUTTON(text, id, x, y, cx, cy) \
  ZORVA_DLG_ITEM(PushButton, text, 0, id, x, y, cx, cy, BS_PUSHBUTTON)
#define DEFPUSHBUTTON(text, id, x, y, cx, cy) \
  ZORVA_DLG_ITEM(DefPushButton, text, 0, id, x, y, cx, cy, BS_DEFPUSHBUTTON)

#define ICON_RESOURCE(id, palette, ...)                                    \
  [[maybe_unused]] static const bool ZORVA_RES_NAME =                      \
      ::zorva::platform::registerIcon((UINT)(id), palette, {__VA_ARGS__})
#define ICON_COLORS(...) \
  ::zorva::platform::IconPalette { { __VA_ARGS__ } }
#define ICON_COLOR(symbol, rgb) \
  ::zorva::platform::IconColor { symbol, (COLORREF)(rgb) }
