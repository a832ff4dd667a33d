// CPoint, CSize and CRect: the Win32 structures with the framework's helpers. A CRect holds its
// left and top edges and excludes its right and bottom edges.
#pragma once

#include "AfxDefs.h"

class CSize : public tagSIZE {
 public:
  CSize() : tagSIZE{0, 0} {}
  CSize(int initCX, int initCY) : tagSIZE{initCX, initCY} {}
  CSize(SIZE initSize) : tagSIZE(initSize) {}  // NOLINT: converts
  // Taking our own type keeps C++20's reversed comparisons from competing with these.
  bool operator==(const CSize& size) const { return cx == size.cx && cy == size.cy; }
  bool operator!=(const CSize& size) const { return !(*this == size); }
  CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
};

class CPoint : public tagPOINT {
 public:
  CPoint() : tagPOINT{0, 0} {}
  CPoint(int initX, int initY) : tagPOINT{initX, initY} {}
  CPoint(POINT initPt) : tagPOINT(initPt) {}  // NOLINT: converts
  void Offset(int xOffset, int yOffset) {
    x += xOffset;
    y += yOffset;
  }
  void Offset(POINT point) { Offset(point.x, point.y); }
  bool operator==(const CPoint& point) const { return x == point.x && y == point.y; }
  bool operator!=(const CPoint& point) const { return !(*this == point); }
  CPoint& operator+=(SIZE size) {
    Offset(size.cx, size.cy);
    return *this;
  }
  CPoint& operator-=(SIZE size) {
    Offset(-size.cx, -size.cy);
    return *this;
  }
  CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
  CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
  CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
};

class CRect : public tagRECT {
 public:
  CRect() : tagRECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : tagRECT{l, t, r, b} {}
  CRect(const RECT& srcRect) : tagRECT(srcRect) {}  // NOLINT: converts
  CRect(LPCRECT lpSrcRect) : tagRECT(*lpSrcRect) {}  // NOLINT: converts
  CRect(POINT topLeft, SIZE size)
      : tagRECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
  CRect(POINT topLeft, POINT bottomRight)
      : tagRECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  // References into the rectangle, as the framework gives them.
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
  CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
  const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
  void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
  void SetRectEmpty() { ::SetRectEmpty(this); }
  void CopyRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
  BOOL EqualRect(LPCRECT lpRect) const { return ::EqualRect(this, lpRect); }
  void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
  void InflateRect(SIZE size) { ::InflateRect(this, size.cx, size.cy); }
  void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
  void OffsetRect(POINT point) { ::OffsetRect(this, point.x, point.y); }
  void OffsetRect(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
  BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) {
    return ::IntersectRect(this, lpRect1, lpRect2);
  }
  BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }
  void NormalizeRect();

  CRect& operator=(const RECT& srcRect) {
    ::CopyRect(this, &srcRect);
    return *this;
  }
  bool operator==(const CRect& rect) const { return ::EqualRect(this, &rect) != FALSE; }
  bool operator!=(const CRect& rect) const { return !(*this == rect); }
  CRect& operator&=(const RECT& rect) {
    ::IntersectRect(this, this, &rect);
    return *this;
  }
  CRect& operator|=(const RECT& rect) {
    ::UnionRect(this, this, &rect);
    return *this;
  }
  CRect operator&(const RECT& rect) const {
    CRect r;
    ::IntersectRect(&r, this, &rect);
    return r;
  }
  CRect operator|(const RECT& rect) const {
    CRect r;
    ::UnionRect(&r, this, &rect);
    return r;
  }
};

inline void CRect::NormalizeRect() {
  if (left > right) {
    LONG t = left;
    left = right;
    right = t;
  }
  if (top > bottom) {
    LONG t = top;
    top = bottom;
    bottom = t;
  }
}
