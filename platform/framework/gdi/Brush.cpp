#include "Brush.h"

#include "ResourceException.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF crColor) {
  if (!CreateSolidBrush(crColor)) AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }

CBrush* CBrush::FromHandle(HBRUSH hBrush) {
  return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush));
}
