#include "MenuLayout.h"

#include <algorithm>
#include <cctype>

#include "../gdi/TextRenderer.h"

namespace zorva::platform {

std::string menuLabel(const std::string& text) { return text.substr(0, text.find('\t')); }

std::string menuAccelText(const std::string& text) {
  const size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

std::string menuVisibleText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
    } else if (i + 1 < text.size()) {
      out += text[++i];  // "&x" shows x, "&&" shows one "&"
    }
  }
  return out;
}

char menuMnemonic(const std::string& text) {
  const std::string label = menuLabel(text);
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != '&') continue;
    if (label[i + 1] == '&') {
      ++i;  // a literal ampersand
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(label[i + 1])));
  }
  return 0;
}

int menuBarHeightFor(HFONT font) { return fontLineHeight(font) + kBarPadTopPx + kBarPadBottomPx; }

BarLayout layoutMenuBar(const MenuObject& bar, HFONT font) {
  BarLayout layout;
  layout.height = menuBarHeightFor(font);
  int x = 0;
  for (const MenuItem& item : bar.items) {
    const int width = std::max(0, textWidth(font, menuVisibleText(menuLabel(item.text))));
    const int right = x + width + 2 * kTitlePadPx;
    layout.titles.push_back(PixelRect{x, 1, right, layout.height - 1});
    x = right;
  }
  return layout;
}

PopupLayout layoutPopup(const MenuObject& popup, HFONT font, const PixelRect& title,
                        int surface_width, int surface_height) {
  const int item_height = fontLineHeight(font) + kItemPadTopPx + kItemPadBottomPx;
  int label_width = 0;
  int accel_width = 0;
  int height = 2 * kPopupBorderPx;
  for (const MenuItem& item : popup.items) {
    height += item.separator() ? kSeparatorHeightPx : item_height;
    if (item.separator()) continue;
    label_width = std::max(label_width, textWidth(font, menuVisibleText(menuLabel(item.text))));
    accel_width = std::max(accel_width, textWidth(font, menuAccelText(item.text)));
  }
  int width = kItemGutterPx + label_width + (accel_width > 0 ? kAccelGapPx + accel_width : 0) +
              kItemRightPx + 2 * kPopupBorderPx;
  width = std::max(width, kMinPopupWidthPx);
  int left = title.left;
  int top = title.bottom + 1;  // just under the bar
  if (left + width > surface_width) left = std::max(0, surface_width - width);
  if (top + height > surface_height) top = std::max(0, surface_height - height);
  PopupLayout layout;
  layout.box = PixelRect{left, top, left + width, top + height};
  int y = top + kPopupBorderPx;
  for (const MenuItem& item : popup.items) {
    const int h = item.separator() ? kSeparatorHeightPx : item_height;
    layout.items.push_back(
        PixelRect{left + kPopupBorderPx, y, left + width - kPopupBorderPx, y + h});
    y += h;
  }
  return layout;
}

int hitIndex(const std::vector<PixelRect>& rects, int x, int y) {
  for (size_t i = 0; i < rects.size(); ++i)
    if (rects[i].contains(x, y)) return static_cast<int>(i);
  return -1;
}

}  // namespace zorva::platform
