#pragma once

#include "GdiObject.h"

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
 public:
  CFont() = default;
  operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }  // NOLINT
  static CFont* FromHandle(HFONT hFont);
};
