// Device contexts bound to a window: CClientDC (GetDC/ReleaseDC) and CPaintDC
// (BeginPaint/EndPaint, clipped to the update region, background erased first).
#pragma once

#include "Wnd.h"

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd = nullptr;
};

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
 public:
  PAINTSTRUCT m_ps{};

  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;

 protected:
  HWND m_hWnd = nullptr;
};
