// The demo's pane: a sunken white child that reports each left press on standard output, so a
// test driving the real desktop can see which client point the framework delivered.
#pragma once

#include <afxwin.h>

class CClickPane : public CWnd {
public:
  BOOL CreatePane(CWnd* pParent);

protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
