#include "DialogPaint.h"

#include "../gdi/TextRenderer.h"
#include "../gdi/WinGdi.h"
#include "../kernel/WinRect.h"
#include "WinUser.h"

namespace zorva::platform {

namespace {

void fill(HDC dc, const RECT& r, int colour_index) {
  FillRect(dc, &r, GetSysColorBrush(colour_index));
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
  fill(dc, r, COLOR_BTNFACE);
  if (item.kind == DialogItemKind::DefPushButton) {
    // The default button's thick border: a black frame around the raised face.
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  // A push button: a white and black outer ring, and only the shadow of the inner one (its
  // light side is the face itself).
  DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST);
  DrawEdge(dc, &r, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
  drawLine(dc, item.text, box, DT_CENTER | DT_VCENTER);
}

}  // namespace

void drawDialog(HDC dc, const DialogTemplate& dialog, const DialogGeometry& g,
                const std::string& caption) {
  const HFONT font = dialogFont();
  RECT all{0, 0, g.window.right - g.window.left, g.window.bottom - g.window.top};
  DrawEdge(dc, &all, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  const int caption_top = kDialogFramePx;
  const int caption_bottom = g.client_origin.y - 1;
  fill(dc, RECT{kDialogFramePx, caption_top, all.right - kDialogFramePx, caption_bottom},
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
