#include "DialogLayout.h"

#include <algorithm>

#include "../gdi/TextRenderer.h"
#include "platform/backend/TextWrap.h"

namespace zorva::platform {

int dialogCaptionHeight(HFONT font) { return fontLineHeight(font) + 5; }

RECT dialogUnitsToPixels(int x, int y, int cx, int cy, int base_x, int base_y) {
  auto px = [&](int du) { return du * base_x / 4; };
  auto py = [&](int du) { return du * base_y / 8; };
  return RECT{px(x), py(y), px(x + cx), py(y + cy)};
}

DialogGeometry layoutDialog(const DialogTemplate& dialog, HFONT font, const RECT& owner) {
  const int base_x = fontAverageCharWidth(font);
  const int base_y = fontLineHeight(font);
  const RECT client = dialogUnitsToPixels(0, 0, dialog.cx, dialog.cy, base_x, base_y);
  const int width = client.right + 2 * kDialogFramePx;
  const int height = client.bottom + 2 * kDialogFramePx + dialogCaptionHeight(font);
  int left = owner.left + ((owner.right - owner.left) - width) / 2;
  int top = owner.top + ((owner.bottom - owner.top) - height) / 2;
  left = std::max<int>(left, owner.left);
  top = std::max<int>(top, owner.top);
  DialogGeometry g;
  g.window = RECT{left, top, left + width, top + height};
  g.client_origin = POINT{kDialogFramePx, kDialogFramePx + dialogCaptionHeight(font)};
  for (const DialogItemTemplate& item : dialog.items) {
    RECT r = dialogUnitsToPixels(item.x, item.y, item.cx, item.cy, base_x, base_y);
    g.items.push_back(RECT{r.left + g.client_origin.x, r.top + g.client_origin.y,
                           r.right + g.client_origin.x, r.bottom + g.client_origin.y});
  }
  return g;
}

std::vector<std::string> wrapText(HFONT font, const std::string& text, int width) {
  return wrapText(text, width, [font](const std::string& line) { return textWidth(font, line); });
}

}  // namespace zorva::platform
