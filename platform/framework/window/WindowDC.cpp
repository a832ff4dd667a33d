#include "WindowDC.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  HDC dc = ::GetDC(m_hWnd);
  if (dc == nullptr) AfxThrowResourceException();
  Attach(dc);
}

CClientDC::~CClientDC() {
  // Detached first: CDC's destructor would delete the DC the window gives back.
  HDC dc = Detach();
  ::ReleaseDC(m_hWnd, dc);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  HDC dc = ::BeginPaint(m_hWnd, &m_ps);
  if (dc == nullptr) AfxThrowResourceException();
  Attach(dc);
}

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}
