// Where the parts of a menu lie, worked out from the items and the menu font alone, so the
// drawing and the hit tests share one answer and tests can check it directly. All rectangles
// are in content pixels (the frame's screen surface), right and bottom exclusive.
#pragma once

#include <string>
#include <vector>

#include "../Surface.h"
#include "MenuTable.h"

namespace zorva::platform {

// Rows above and below a title's text line in the bar, and room either side of a title.
inline constexpr int kBarPadTopPx = 3;
inline constexpr int kBarPadBottomPx = 4;
inline constexpr int kTitlePadPx = 6;
// A popup: its 3D border, the item rows, the gutter left of the label (room for a check mark)
// and the space right of the accelerator text.
inline constexpr int kPopupBorderPx = 3;
inline constexpr int kItemPadTopPx = 2;
inline constexpr int kItemPadBottomPx = 3;
inline constexpr int kSeparatorHeightPx = 8;
inline constexpr int kItemGutterPx = 18;
inline constexpr int kItemRightPx = 14;
inline constexpr int kAccelGapPx = 24;   // between the longest label and the longest accelerator
inline constexpr int kMinPopupWidthPx = 60;

struct BarLayout {
  int height = 0;
  std::vector<PixelRect> titles;  // one per bar entry: the cell a click opens
};

struct PopupLayout {
  PixelRect box;                 // the whole popup with its border
  std::vector<PixelRect> items;  // one per item (separators too)
};

// The text of an item split at its tab: the label (with its "&"s) and the accelerator text.
std::string menuLabel(const std::string& text);
std::string menuAccelText(const std::string& text);
// The label as drawn: "&x" is x, "&&" is one "&".
std::string menuVisibleText(const std::string& text);
// The mnemonic letter in upper case, or 0 when the text has none.
char menuMnemonic(const std::string& text);

int menuBarHeightFor(HFONT font);
BarLayout layoutMenuBar(const MenuObject& bar, HFONT font);
// A popup opened under `title`, moved left (and up) to stay on a surface of the given size
// where it fits.
PopupLayout layoutPopup(const MenuObject& popup, HFONT font, const PixelRect& title,
                        int surface_width, int surface_height);

// The index of the rectangle holding (x, y), or -1.
int hitIndex(const std::vector<PixelRect>& rects, int x, int y);

}  // namespace zorva::platform
