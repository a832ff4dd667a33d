#include "DC.h"

#include "HandleMap.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace zorva::framework {
HandleMap<HDC, CDC>& dcHandles() {
  static auto* map = [] {
    auto* m = new HandleMap<HDC, CDC>([](HDC h) { return GetBkMode(h) != 0; });
    m->setHandle = [](CDC& dc, HDC h) { dc.m_hDC = dc.m_hAttribDC = h; };
    return m;
  }();
  return *map;
}
}  // namespace zorva::framework

using zorva::framework::dcHandles;

// As the framework does, a DC still held at destruction is deleted, attached or created;
// classes that borrow a DC (client and paint DCs) give it back and Detach first.
CDC::~CDC() { DeleteDC(); }

BOOL CDC::Attach(HDC hDC) {
  if (hDC == nullptr || m_hDC != nullptr) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  m_bOwnsDC = false;
  dcHandles().attach(hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (h != nullptr) dcHandles().detach(h, this);
  m_hDC = m_hAttribDC = nullptr;
  m_bOwnsDC = false;
  return h;
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  HDC h = ::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr);
  if (!Attach(h)) {
    if (h != nullptr) ::DeleteDC(h);
    return FALSE;
  }
  m_bOwnsDC = true;
  return TRUE;
}

CDC* CDC::FromHandle(HDC hDC) {
  return dcHandles().lookup(hDC, [](HDC) { return std::make_unique<CDC>(); });
}

CPen* CDC::SelectObject(CPen* pPen) {
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen != nullptr ? pPen->m_hObject : nullptr)));
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush != nullptr ? pBrush->m_hObject : nullptr)));
}
CFont* CDC::SelectObject(CFont* pFont) {
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont != nullptr ? pFont->m_hObject : nullptr)));
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap != nullptr ? pBitmap->m_hObject : nullptr)));
}
CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject != nullptr ? pObject->m_hObject : nullptr));
}
CGdiObject* CDC::SelectStockObject(int nIndex) {
  HGDIOBJ stock = ::GetStockObject(nIndex);
  return stock != nullptr ? CGdiObject::FromHandle(::SelectObject(m_hDC, stock)) : nullptr;
}

CPen* CDC::GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(GetCurrentObject(m_hDC, OBJ_PEN))); }
CBrush* CDC::GetCurrentBrush() const { return CBrush::FromHandle(static_cast<HBRUSH>(GetCurrentObject(m_hDC, OBJ_BRUSH))); }
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(GetCurrentObject(m_hDC, OBJ_FONT))); }

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }

CPoint CDC::MoveTo(int x, int y) {
  POINT previous{0, 0};
  ::MoveToEx(m_hDC, x, y, &previous);
  return CPoint(previous);
}
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
  ::FillRect(m_hDC, lpRect, pBrush != nullptr ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
}
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
  ::FrameRect(m_hDC, lpRect, pBrush != nullptr ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
}
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT r) { return r != nullptr && ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
  return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}
BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
  return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

COLORREF CDC::SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
COLORREF CDC::SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
int CDC::SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
  return ::DrawTextA(m_hDC, static_cast<LPCTSTR>(str), str.GetLength(), lpRect, nFormat);
}
int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
  return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}
BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
  return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}
BOOL CDC::TextOut(int x, int y, const CString& str) {
  return ::TextOutA(m_hDC, x, y, static_cast<LPCTSTR>(str), str.GetLength());
}
CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
  return CSize(size);
}
CSize CDC::GetTextExtent(const CString& str) const {
  return GetTextExtent(static_cast<LPCTSTR>(str), str.GetLength());
}
BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetricsA(m_hAttribDC, lpMetrics); }
