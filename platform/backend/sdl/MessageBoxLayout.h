// Where the parts of a message box lie, in the screen pixels of a window scaled by `factor`:
// the program's dialog metrics (3-pixel frame, 12-pixel margins, 75x23 buttons, a 32-pixel icon)
// times the factor, around text measured in the font of that size. Pure, so tests check the
// geometry directly.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/backend/DesktopBackend.h"

namespace zorva::platform {

struct MessageBoxMetrics {
  double factor = 1.0;   // screen pixels per program pixel
  int line_height = 0;   // of the font, in screen pixels
  std::function<int(const std::string&)> measure;  // a line's width in screen pixels
};

struct MessageBoxLayout {
  int width = 0;  // the whole box, frame included
  int height = 0;
  int frame = 0;  // the width of each of the frame's two rings
  ScreenRect caption;  // the caption bar
  ScreenRect icon;     // empty when the box has none
  std::vector<std::string> lines;
  std::vector<ScreenRect> line_boxes;  // one per line
  std::vector<ScreenRect> buttons;     // left to right
};

// Lays out a box with the text (broken at its own line breaks and to fit), the caption and
// `button_count` buttons, relative to the box's top-left corner.
MessageBoxLayout layoutMessageBox(const std::string& text, const std::string& caption, bool has_icon,
                                  size_t button_count, const MessageBoxMetrics& metrics);

// The button at (x, y) (box coordinates), or -1.
int buttonAt(const MessageBoxLayout& layout, int x, int y);

}  // namespace zorva::platform
