#include "GdiObjects.h"

#include <array>
#include <unordered_map>

#include "TextRenderer.h"
#include "WinGdi.h"

namespace zorva::platform {
namespace {

constexpr uintptr_t kFirstHandle = 0x10000;  // above (HBRUSH)(COLOR_* + 1) values
constexpr uintptr_t kStockBase = 0x1000;
constexpr int kStockCount = 18;

struct Table {
  std::unordered_map<uintptr_t, GdiObject> objects;
  uintptr_t next = kFirstHandle;
  std::array<int, 5> faults{};  // countdown per kind; 0 = none
  std::array<int, 5> live{};
};

Table& table() {
  static Table t;
  return t;
}

int kindIndex(GdiKind kind) { return static_cast<int>(kind); }

GdiObject makeStock(int index) {
  GdiObject o;
  o.stock = true;
  switch (index) {
    case WHITE_BRUSH: o.kind = GdiKind::Brush; o.colour = RGB(255, 255, 255); break;
    case LTGRAY_BRUSH: o.kind = GdiKind::Brush; o.colour = RGB(192, 192, 192); break;
    case GRAY_BRUSH: o.kind = GdiKind::Brush; o.colour = RGB(128, 128, 128); break;
    case DKGRAY_BRUSH: o.kind = GdiKind::Brush; o.colour = RGB(64, 64, 64); break;
    case BLACK_BRUSH: o.kind = GdiKind::Brush; o.colour = 0; break;
    case NULL_BRUSH: o.kind = GdiKind::Brush; o.null_brush = true; break;
    case WHITE_PEN: o.kind = GdiKind::Pen; o.colour = RGB(255, 255, 255); break;
    case BLACK_PEN: o.kind = GdiKind::Pen; break;
    case NULL_PEN: o.kind = GdiKind::Pen; o.pen_style = PS_NULL; break;
    case OEM_FIXED_FONT: case SYSTEM_FIXED_FONT:
      o.kind = GdiKind::Font; o.font = static_cast<int>(FontFaceId::SystemFixed); break;
    case ANSI_FIXED_FONT:
      o.kind = GdiKind::Font; o.font = static_cast<int>(FontFaceId::AnsiFixed); break;
    case ANSI_VAR_FONT: case DEFAULT_GUI_FONT:
      o.kind = GdiKind::Font; o.font = static_cast<int>(FontFaceId::AnsiVar); break;
    case SYSTEM_FONT: case DEVICE_DEFAULT_FONT:
      o.kind = GdiKind::Font; o.font = static_cast<int>(FontFaceId::System); break;
    default: o.kind = GdiKind::DC; break;  // no such stock object
  }
  return o;
}

}  // namespace

void failGdiCreation(GdiKind kind, int nth) {
  if (nth < 1) return;
  int& countdown = table().faults[kindIndex(kind)];
  // Only one pending failure per kind is counted down; a second call replaces it.
  countdown = nth;
}

void clearGdiFaults() { table().faults.fill(0); }

int liveGdiObjects(GdiKind kind) { return table().live[kindIndex(kind)]; }

void countGdiLive(GdiKind kind, int delta) { table().live[kindIndex(kind)] += delta; }

bool takeGdiFault(GdiKind kind) {
  int& countdown = table().faults[kindIndex(kind)];
  if (countdown == 0) return false;
  return --countdown == 0;
}

GdiObject* gdiObject(HGDIOBJ handle) {
  const auto key = reinterpret_cast<uintptr_t>(handle);
  if (key >= kStockBase && key < kStockBase + kStockCount) {
    static std::unordered_map<uintptr_t, GdiObject> stock;
    auto found = stock.find(key);
    if (found == stock.end()) {
      GdiObject made = makeStock(static_cast<int>(key - kStockBase));
      if (made.kind == GdiKind::DC) return nullptr;
      found = stock.emplace(key, std::move(made)).first;
    }
    return &found->second;
  }
  auto found = table().objects.find(key);
  return found == table().objects.end() ? nullptr : &found->second;
}

GdiObject* gdiObject(HGDIOBJ handle, GdiKind kind) {
  GdiObject* o = gdiObject(handle);
  return o != nullptr && o->kind == kind ? o : nullptr;
}

HGDIOBJ stockObject(int index) {
  if (index < 0 || index >= kStockCount) return nullptr;
  HGDIOBJ h = reinterpret_cast<HGDIOBJ>(kStockBase + index);
  return gdiObject(h) != nullptr ? h : nullptr;
}

HGDIOBJ addGdiObject(GdiObject object) {
  if (takeGdiFault(object.kind)) return nullptr;
  Table& t = table();
  const uintptr_t key = t.next;
  t.next += 4;
  ++t.live[kindIndex(object.kind)];
  t.objects.emplace(key, std::move(object));
  return reinterpret_cast<HGDIOBJ>(key);
}

static void eraseObject(HGDIOBJ handle) {
  Table& t = table();
  auto found = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  if (found == t.objects.end()) return;
  --t.live[kindIndex(found->second.kind)];
  t.objects.erase(found);
}

void holdGdiObject(HGDIOBJ handle) {
  if (GdiObject* o = gdiObject(handle)) ++o->selected;
}

void releaseGdiObject(HGDIOBJ handle) {
  GdiObject* o = gdiObject(handle);
  if (o == nullptr || o->selected == 0) return;
  if (--o->selected == 0 && o->delete_pending) eraseObject(handle);
}

HGDIOBJ addPermanentObject(GdiObject object) {
  Table& t = table();
  const uintptr_t key = t.next;
  t.next += 4;
  object.stock = true;
  t.objects.emplace(key, std::move(object));
  return reinterpret_cast<HGDIOBJ>(key);
}

HBITMAP createDefaultBitmap() {
  // Not subject to faults and not counted: it lives and dies with its DC.
  GdiObject o;
  o.kind = GdiKind::Bitmap;
  o.bitmap = std::make_unique<Surface>(1, 1, 0);
  return static_cast<HBITMAP>(addPermanentObject(std::move(o)));
}

void destroyDefaultBitmap(HBITMAP bitmap) {
  table().objects.erase(reinterpret_cast<uintptr_t>(bitmap));
}

}  // namespace zorva::platform

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  using namespace zorva::platform;
  GdiObject* o = gdiObject(ho);
  if (o == nullptr || o->kind == GdiKind::DC) return FALSE;
  if (o->stock) return TRUE;  // stock objects are never destroyed
  if (o->kind == GdiKind::Bitmap && o->bitmap_dc != nullptr) return FALSE;  // still in a DC
  if (o->selected > 0) {
    o->delete_pending = true;
    return TRUE;
  }
  eraseObject(ho);
  return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int i) { return zorva::platform::stockObject(i); }

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  using zorva::platform::GdiKind;
  const auto* o = zorva::platform::gdiObject(h);
  if (o == nullptr) return 0;
  switch (o->kind) {
    case GdiKind::Pen: return OBJ_PEN;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::DC: return 0;
  }
  return 0;
}
