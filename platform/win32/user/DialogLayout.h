// Where a dialog and its items lie: dialog units turned into pixels with the template font's
// base units, the box centred over its owner, and static text broken into lines. Pure, so
// tests check the geometry directly.
#pragma once

#include <string>
#include <vector>

#include "Resources.h"

namespace zorva::platform {

// The modal frame (3D border) around a dialog and its caption bar.
inline constexpr int kDialogFramePx = 3;
int dialogCaptionHeight(HFONT font);

struct DialogGeometry {
  RECT window{};             // screen pixels: the whole dialog with frame and caption
  POINT client_origin{};     // where item coordinates start, in the window's own pixels
  std::vector<RECT> items;   // in the window's own pixels, one per template item
};

// Dialog units to pixels: x in quarters of the average character width, y in eighths of the
// line height.
RECT dialogUnitsToPixels(int x, int y, int cx, int cy, int base_x, int base_y);

// The dialog centred over `owner` (screen pixels), moved right or down if needed so its top
// left corner stays inside it.
DialogGeometry layoutDialog(const DialogTemplate& dialog, HFONT font, const RECT& owner);

// Breaks `text` into lines no wider than `width` pixels at spaces (and at its own line breaks);
// a word wider than the line stands on a line of its own.
std::vector<std::string> wrapText(HFONT font, const std::string& text, int width);

}  // namespace zorva::platform
