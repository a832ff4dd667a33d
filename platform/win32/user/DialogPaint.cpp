#include "DialogPaint.h"

#include "../gdi/TextRenderer.h"
#include "../gdi/WinGdi.h"

namespace zorva::platform {

namespace {

void fill(HDC dc, int left, int top, int right, int bottom, int colour_index) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, GetSysColorBrush(colour_index));
}

// A one-pixel edge: `light` on the top and left, `dark` on the bottom and right.
void edge(HDC dc, const RECT& r, int light, int dark) {
  fill(dc, r.left, r.top, r.right - 1, r.top + 1, light);
  fill(dc, r.left, r.top, r.left + 1, r.bottom - 1, light);
  fill(dc, r.left, r.bottom - 1, r.right, r.bottom, dark);
  fill(dc, r.right - 1, r.top, r.right, r.bottom, dark);
}

RECT inset(const RECT& r, int by) {
  return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

void drawLine(HDC dc, const std::string& line, RECT r, UINT format) {
  if (line.empty()) return;
  DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &r, format | DT_SINGLELINE);
}

void drawStatic(HDC dc, HFONT font, const DialogItemTemplate& item, const RECT& box) {
  const UINT align = item.kind == DialogItemKind::CenterText  ? DT_CENTER
                     : item.kind == DialogItemKind::RightText ? DT_RIGHT
                                                              : DT_LEFT;
  const UINT prefix = (item.style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  const int line_height = fontLineHeight(font);
  int y = box.top;
  for (const std::string& line : wrapText(font, item.text, box.right - box.left)) {
    if (y >= box.bottom) break;  // lines past the box are not shown
    drawLine(dc, line, RECT{box.left, y, box.right, box.bottom}, align | prefix);
    y += line_height;
  }
}

void drawButton(HDC dc, const DialogItemTemplate& item, const RECT& box) {
  RECT r = box;
  fill(dc, r.left, r.top, r.right, r.bottom, COLOR_BTNFACE);
  if (item.kind == DialogItemKind::DefPushButton) {
    // The default button's thick border: a black frame around the raised face.
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    r = inset(r, 1);
  }
  edge(dc, r, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
  edge(dc, inset(r, 1), COLOR_BTNFACE, COLOR_BTNSHADOW);
  drawLine(dc, item.text, box, DT_CENTER | DT_VCENTER);
}

}  // namespace

void drawDialog(HDC dc, const DialogTemplate& dialog, const DialogGeometry& g,
                const std::string& caption) {
  const HFONT font = dialogFont();
  const RECT all{0, 0, g.window.right - g.window.left, g.window.bottom - g.window.top};
  fill(dc, all.left, all.top, all.right, all.bottom, COLOR_BTNFACE);
  edge(dc, all, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
  edge(dc, inset(all, 1), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
  const int caption_top = kDialogFramePx;
  const int caption_bottom = g.client_origin.y - 1;
  fill(dc, kDialogFramePx, caption_top, all.right - kDialogFramePx, caption_bottom,
       COLOR_ACTIVECAPTION);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  drawLine(dc, caption, RECT{kDialogFramePx + 3, caption_top, all.right - kDialogFramePx,
                             caption_bottom},
           DT_LEFT | DT_VCENTER | DT_NOPREFIX);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (size_t i = 0; i < dialog.items.size() && i < g.items.size(); ++i) {
    const DialogItemTemplate& item = dialog.items[i];
    switch (item.kind) {
      case DialogItemKind::Icon:
        DrawIcon(dc, g.items[i].left, g.items[i].top,
                 LoadIconA(nullptr, MAKEINTRESOURCE(item.iconId)));
        break;
      case DialogItemKind::PushButton:
      case DialogItemKind::DefPushButton:
        drawButton(dc, item, g.items[i]);
        break;
      default:
        drawStatic(dc, font, item, g.items[i]);
        break;
    }
  }
}

}  // namespace zorva::platform
