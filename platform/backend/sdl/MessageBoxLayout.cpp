#include "platform/backend/sdl/MessageBoxLayout.h"

#include <algorithm>
#include <cmath>

#include "platform/backend/TextWrap.h"

namespace zorva::platform {
namespace {

// The program's dialog metrics, in its own pixels.
constexpr int kFrame = 3;  // two rings of 1 and a face of 1 in the program's dialogs
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kCaptionPadding = 5;
constexpr int kTextWidth = 360;  // text wider than this is broken into lines

}  // namespace

MessageBoxLayout layoutMessageBox(const std::string& text, const std::string& caption, bool has_icon,
                                  size_t button_count, const MessageBoxMetrics& metrics) {
  auto px = [&](int program) { return std::max(1, static_cast<int>(std::lround(program * metrics.factor))); };
  MessageBoxLayout out;
  out.frame = std::max(1, px(kFrame) / 3);
  const int frame = px(kFrame), margin = px(kMargin), icon = has_icon ? px(kIconSize) : 0;
  const int caption_height = metrics.line_height + px(kCaptionPadding);
  out.lines = wrapText(text, px(kTextWidth), metrics.measure);
  int text_width = 0;
  for (const std::string& line : out.lines) text_width = std::max(text_width, metrics.measure(line));
  const int text_height = static_cast<int>(out.lines.size()) * metrics.line_height;
  const int content_height = std::max(text_height, icon);
  const int n = static_cast<int>(button_count);
  const int row_width = n * px(kButtonWidth) + std::max(n - 1, 0) * px(kButtonGap);
  const int text_left = margin + (has_icon ? icon + margin : 0);
  const int client_width = std::max({text_left + text_width + margin, row_width + 2 * margin,
                                     metrics.measure(caption) + 2 * margin});
  const int client_top = frame + caption_height;
  out.width = client_width + 2 * frame;
  out.height = client_top + margin + content_height + margin + px(kButtonHeight) + margin + frame;
  out.caption = ScreenRect{frame, frame, out.width - frame, client_top - 1};
  if (has_icon) out.icon = ScreenRect{frame + margin, client_top + margin, frame + margin + icon, client_top + margin + icon};
  // Text shorter than the icon stands in the middle of its height.
  int y = client_top + margin + (content_height - text_height) / 2;
  for (const std::string& line : out.lines) {
    out.line_boxes.push_back(ScreenRect{frame + text_left, y, frame + text_left + metrics.measure(line), y + metrics.line_height});
    y += metrics.line_height;
  }
  int x = (out.width - row_width) / 2;
  const int button_top = client_top + margin + content_height + margin;
  for (int i = 0; i < n; ++i) {
    out.buttons.push_back(ScreenRect{x, button_top, x + px(kButtonWidth), button_top + px(kButtonHeight)});
    x += px(kButtonWidth) + px(kButtonGap);
  }
  return out;
}

int buttonAt(const MessageBoxLayout& layout, int x, int y) {
  for (size_t i = 0; i < layout.buttons.size(); ++i) {
    if (layout.buttons[i].contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace zorva::platform
