#include "MenuPaint.h"

#include "../gdi/WinGdi.h"

namespace zorva::platform {

namespace {

// A DC over the whole surface in content pixels, released when the drawing is done.
class SurfaceDC {
 public:
  SurfaceDC(Surface& surface, HWND owner)
      : dc_(createWindowDC(DrawTarget{&surface, 0, 0, {PixelRect{0, 0, surface.width(),
                                                                  surface.height()}}},
                           owner)) {
    if (dc_ == nullptr) return;
    SelectObject(dc_, menuFont());
    SetBkMode(dc_, TRANSPARENT);
  }
  ~SurfaceDC() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  SurfaceDC(const SurfaceDC&) = delete;
  SurfaceDC& operator=(const SurfaceDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

void fill(HDC dc, int left, int top, int right, int bottom, int colour_index) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, GetSysColorBrush(colour_index));
}

void edge(HDC dc, const PixelRect& r, UINT kind) {
  RECT rect{r.left, r.top, r.right, r.bottom};
  DrawEdge(dc, &rect, kind, BF_RECT);
}

void text(HDC dc, const std::string& s, int left, int top, int right, int bottom, UINT format,
          COLORREF colour) {
  if (s.empty()) return;
  SetTextColor(dc, colour);
  RECT r{left, top, right, bottom};
  DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &r, format | DT_SINGLELINE);
}

}  // namespace

HFONT menuFont() { return static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)); }

void drawMenuBar(Surface& surface, HWND frame, const MenuObject& bar, const BarLayout& layout,
                 int open) {
  SurfaceDC dc(surface, frame);
  if (dc.get() == nullptr) return;
  fill(dc.get(), 0, 0, surface.width(), layout.height, COLOR_MENU);
  for (size_t i = 0; i < layout.titles.size() && i < bar.items.size(); ++i) {
    const PixelRect& t = layout.titles[i];
    if (static_cast<int>(i) == open) edge(dc.get(), t, BDR_SUNKENOUTER);
    const MenuItem& item = bar.items[i];
    text(dc.get(), menuLabel(item.text), t.left + kTitlePadPx, kBarPadTopPx,
         t.right - kTitlePadPx + 1, layout.height, DT_LEFT,
         GetSysColor(item.enabled() ? COLOR_MENUTEXT : COLOR_GRAYTEXT));
  }
}

void drawPopup(Surface& surface, HWND frame, const MenuObject& popup, const PopupLayout& layout,
               int hot) {
  SurfaceDC dc(surface, frame);
  if (dc.get() == nullptr) return;
  const PixelRect& b = layout.box;
  fill(dc.get(), b.left, b.top, b.right, b.bottom, COLOR_MENU);
  edge(dc.get(), b, EDGE_RAISED);
  for (size_t i = 0; i < layout.items.size() && i < popup.items.size(); ++i) {
    const PixelRect& r = layout.items[i];
    const MenuItem& item = popup.items[i];
    if (item.separator()) {
      const int y = r.top + (r.bottom - r.top) / 2 - 1;
      fill(dc.get(), r.left + 1, y, r.right - 1, y + 1, COLOR_BTNSHADOW);
      fill(dc.get(), r.left + 1, y + 1, r.right - 1, y + 2, COLOR_BTNHIGHLIGHT);
      continue;
    }
    const bool lit = static_cast<int>(i) == hot;
    if (lit) fill(dc.get(), r.left, r.top, r.right, r.bottom, COLOR_HIGHLIGHT);
    const COLORREF colour = GetSysColor(!item.enabled() ? COLOR_GRAYTEXT
                                        : lit           ? COLOR_HIGHLIGHTTEXT
                                                        : COLOR_MENUTEXT);
    const int top = r.top + kItemPadTopPx;
    text(dc.get(), menuLabel(item.text), r.left + kItemGutterPx, top, r.right, r.bottom, DT_LEFT,
         colour);
    text(dc.get(), menuAccelText(item.text), r.left, top, r.right - kItemRightPx, r.bottom,
         DT_RIGHT | DT_NOPREFIX, colour);
  }
}

}  // namespace zorva::platform
