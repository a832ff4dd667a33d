#include "GdiObject.h"

#include <memory>
#include <unordered_map>

#include "Bitmap.h"
#include "Brush.h"
#include "Font.h"
#include "HandleMap.h"
#include "Pen.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == nullptr || m_hObject != nullptr) return FALSE;
  m_hObject = hObject;
  zorva::framework::gdiHandles().attach(hObject, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (h != nullptr) zorva::framework::gdiHandles().detach(h, this);
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
  HGDIOBJ h = ::GetStockObject(nIndex);
  return h != nullptr && Attach(h);
}

namespace {

std::unique_ptr<CGdiObject> makeWrapper(HGDIOBJ h) {
  switch (GetObjectType(h)) {
    case OBJ_PEN: return std::make_unique<CPen>();
    case OBJ_BRUSH: return std::make_unique<CBrush>();
    case OBJ_FONT: return std::make_unique<CFont>();
    case OBJ_BITMAP: return std::make_unique<CBitmap>();
    default: return nullptr;
  }
}

}  // namespace

namespace zorva::framework {
HandleMap<HGDIOBJ, CGdiObject>& gdiHandles() {
  static auto* map = [] {
    auto* m = new HandleMap<HGDIOBJ, CGdiObject>([](HGDIOBJ h) { return GetObjectType(h) != 0; });
    m->setHandle = [](CGdiObject& o, HGDIOBJ h) { o.m_hObject = h; };
    return m;
  }();
  return *map;
}
}  // namespace zorva::framework

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
  return zorva::framework::gdiHandles().lookup(hObject, makeWrapper);
}
