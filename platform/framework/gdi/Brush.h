#pragma once

#include "GdiObject.h"

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
 public:
  CBrush() = default;
  // Throws CResourceException when the brush cannot be made.
  explicit CBrush(COLORREF crColor);
  BOOL CreateSolidBrush(COLORREF crColor);
  operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }  // NOLINT
  static CBrush* FromHandle(HBRUSH hBrush);
};
