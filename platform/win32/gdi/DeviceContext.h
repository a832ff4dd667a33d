// A device context: a painter over a surface it does not own. A window DC paints through the
// window manager's DrawTarget (origin and clip fixed when it is made); a memory DC paints on
// the bitmap selected into it. Selected objects and colours are plain state.
#pragma once

#include <vector>

#include "../Surface.h"
#include "WinGdi.h"

namespace zorva::platform {

struct DcState {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  COLORREF text_colour = RGB(0, 0, 0);
  COLORREF bk_colour = RGB(255, 255, 255);
  int bk_mode = OPAQUE;
  POINT position{0, 0};
};

class DeviceContext {
 public:
  bool memory = false;
  HWND owner = nullptr;
  DrawTarget target;                 // window DCs only
  HBITMAP bitmap = nullptr;          // memory DCs: the bitmap selected now
  HBITMAP default_bitmap = nullptr;  // memory DCs: the 1x1 bitmap it started with
  DcState state;
  std::vector<DcState> saved;

  Surface* surface() const;
  // Logical to device coordinates: the one place the origin is applied.
  int deviceX(int x) const { return x + (memory ? 0 : target.origin_x); }
  int deviceY(int y) const { return y + (memory ? 0 : target.origin_y); }
  PixelRect deviceRect(int left, int top, int right, int bottom) const {
    return {deviceX(left), deviceY(top), deviceX(right), deviceY(bottom)};
  }
  // Where the DC may paint, in device coordinates, within the surface.
  std::vector<PixelRect> clips() const;
  // Tells the surface which device rectangle a call touched.
  void touched(const PixelRect& rect) const;
};

DeviceContext* deviceContext(HDC dc);

}  // namespace zorva::platform
