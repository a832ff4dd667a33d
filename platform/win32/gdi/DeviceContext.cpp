#include "DeviceContext.h"

#include <memory>
#include <unordered_map>

#include "GdiObjects.h"

namespace zorva::platform {
namespace {

struct DcTable {
  std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>> dcs;
  uintptr_t next = 0x20000002;  // a range of its own, never equal to an object handle
};

DcTable& dcTable() {
  static DcTable t;
  return t;
}

DcState defaultState() {
  DcState s;
  s.pen = static_cast<HPEN>(stockObject(BLACK_PEN));
  s.brush = static_cast<HBRUSH>(stockObject(WHITE_BRUSH));
  s.font = static_cast<HFONT>(stockObject(SYSTEM_FONT));
  return s;
}

HDC addDC(std::unique_ptr<DeviceContext> dc) {
  DcTable& t = dcTable();
  const uintptr_t key = t.next;
  t.next += 4;
  t.dcs.emplace(key, std::move(dc));
  countGdiLive(GdiKind::DC, 1);
  return reinterpret_cast<HDC>(key);
}

void holdState(const DcState& s) {
  holdGdiObject(s.pen);
  holdGdiObject(s.brush);
  holdGdiObject(s.font);
}

void releaseState(const DcState& s) {
  releaseGdiObject(s.pen);
  releaseGdiObject(s.brush);
  releaseGdiObject(s.font);
}

}  // namespace

Surface* DeviceContext::surface() const {
  if (!memory) return target.surface;
  GdiObject* b = gdiObject(bitmap, GdiKind::Bitmap);
  return b != nullptr ? b->bitmap.get() : nullptr;
}

std::vector<PixelRect> DeviceContext::clips() const {
  std::vector<PixelRect> out;
  Surface* s = surface();
  if (s == nullptr) return out;
  const PixelRect bounds{0, 0, s->width(), s->height()};
  if (memory) {
    out.push_back(bounds);
    return out;
  }
  for (const PixelRect& c : target.clip) {
    PixelRect r = c.intersect(bounds);
    if (!r.empty()) out.push_back(r);
  }
  return out;
}

void DeviceContext::touched(const PixelRect& rect) const {
  Surface* s = surface();
  if (s != nullptr && !rect.empty()) s->changed(rect);
}

DeviceContext* deviceContext(HDC dc) {
  auto found = dcTable().dcs.find(reinterpret_cast<uintptr_t>(dc));
  return found == dcTable().dcs.end() ? nullptr : found->second.get();
}

HDC createWindowDC(const DrawTarget& target, HWND owner) {
  if (takeGdiFault(GdiKind::DC)) return nullptr;
  auto dc = std::make_unique<DeviceContext>();
  dc->target = target;
  dc->owner = owner;
  if (target.paint && target.surface != nullptr) target.surface->holdChanges();
  dc->state = defaultState();
  holdState(dc->state);
  return addDC(std::move(dc));
}

HWND windowOfDC(HDC dc) {
  DeviceContext* d = deviceContext(dc);
  return d != nullptr ? d->owner : nullptr;
}

}  // namespace zorva::platform

using namespace zorva::platform;

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && deviceContext(hdc) == nullptr) return nullptr;
  if (takeGdiFault(GdiKind::DC)) return nullptr;
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = true;
  dc->default_bitmap = createDefaultBitmap();
  dc->bitmap = dc->default_bitmap;
  dc->state = defaultState();
  holdState(dc->state);
  return addDC(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC hdc) {
  auto found = dcTable().dcs.find(reinterpret_cast<uintptr_t>(hdc));
  if (found == dcTable().dcs.end()) return FALSE;
  DeviceContext& dc = *found->second;
  for (const DcState& s : dc.saved) releaseState(s);
  releaseState(dc.state);
  if (!dc.memory && dc.target.paint && dc.target.surface != nullptr)
    dc.target.surface->releaseChanges();
  if (dc.memory) {
    if (GdiObject* b = gdiObject(dc.bitmap, GdiKind::Bitmap)) b->bitmap_dc = nullptr;
    destroyDefaultBitmap(dc.default_bitmap);
  }
  dcTable().dcs.erase(found);
  countGdiLive(GdiKind::DC, -1);
  return TRUE;
}

int WINAPI SaveDC(HDC hdc) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return 0;
  holdState(dc->state);
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

// The selected bitmap is not part of a saved state: a memory DC keeps its bitmap.
BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return FALSE;
  const int count = static_cast<int>(dc->saved.size());
  const int level = nSavedDC < 0 ? count + 1 + nSavedDC : nSavedDC;
  if (level < 1 || level > count) return FALSE;
  releaseState(dc->state);
  dc->state = dc->saved[level - 1];
  for (int i = level; i < count; ++i) releaseState(dc->saved[i]);
  dc->saved.resize(level - 1);
  return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  DeviceContext* dc = deviceContext(hdc);
  GdiObject* o = gdiObject(h);
  if (dc == nullptr || o == nullptr || o->delete_pending) return nullptr;
  HGDIOBJ previous = nullptr;
  switch (o->kind) {
    case GdiKind::Pen: previous = dc->state.pen; dc->state.pen = static_cast<HPEN>(h); break;
    case GdiKind::Brush: previous = dc->state.brush; dc->state.brush = static_cast<HBRUSH>(h); break;
    case GdiKind::Font: previous = dc->state.font; dc->state.font = static_cast<HFONT>(h); break;
    case GdiKind::Bitmap: {
      // Only memory DCs take bitmaps, and a bitmap lives in one DC at a time.
      if (!dc->memory || (o->bitmap_dc != nullptr && o->bitmap_dc != hdc)) return nullptr;
      previous = dc->bitmap;
      if (GdiObject* old = gdiObject(previous, GdiKind::Bitmap)) old->bitmap_dc = nullptr;
      o->bitmap_dc = hdc;
      dc->bitmap = static_cast<HBITMAP>(h);
      return previous;
    }
    case GdiKind::DC: return nullptr;
  }
  holdGdiObject(h);
  releaseGdiObject(previous);
  return previous;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  DeviceContext* dc = deviceContext(hdc);
  if (dc == nullptr) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->state.pen;
    case OBJ_BRUSH: return dc->state.brush;
    case OBJ_FONT: return dc->state.font;
    case OBJ_BITMAP: return dc->memory ? dc->bitmap : nullptr;
    default: return nullptr;
  }
}
