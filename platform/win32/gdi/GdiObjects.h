// The table behind every pen, brush, bitmap and font handle. Handles are table keys, never
// addresses, so a stale or foreign handle is refused instead of being followed.
#pragma once

#include <memory>

#include "../Surface.h"
#include "GdiFaults.h"

namespace zorva::platform {

struct GdiObject {
  GdiKind kind = GdiKind::Pen;
  bool stock = false;
  int selected = 0;             // how many DCs (and saved DC states) hold it
  bool delete_pending = false;  // deleted while selected: goes when the last DC lets it go
  int pen_style = 0;            // PS_SOLID or PS_NULL
  bool null_brush = false;
  COLORREF colour = 0;          // pen or brush colour
  std::unique_ptr<Surface> bitmap;
  HDC bitmap_dc = nullptr;      // the memory DC a bitmap is selected into
  int font = 0;                 // index into the font faces (TextRenderer)
};

GdiObject* gdiObject(HGDIOBJ handle);
GdiObject* gdiObject(HGDIOBJ handle, GdiKind kind);
// Registers a new object; NULL when a fault is injected for its kind.
HGDIOBJ addGdiObject(GdiObject object);
HGDIOBJ stockObject(int index);
// Registers an object of the platform's own (system brushes): never refused, not counted.
HGDIOBJ addPermanentObject(GdiObject object);
// A DC takes or lets go of an object; a deleted object goes with its last release.
void holdGdiObject(HGDIOBJ handle);
void releaseGdiObject(HGDIOBJ handle);
// The 1x1 bitmap of a fresh memory DC; one per DC, dropped with it.
HBITMAP createDefaultBitmap();
void destroyDefaultBitmap(HBITMAP bitmap);

}  // namespace zorva::platform
