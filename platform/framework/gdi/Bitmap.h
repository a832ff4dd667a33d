#pragma once

#include "GdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
 public:
  CBitmap() = default;
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
  operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }  // NOLINT
  static CBitmap* FromHandle(HBITMAP hBitmap);
};
