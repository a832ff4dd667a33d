// The demo's main frame: a fixed size at a fixed place, the menu bar, and the click pane.
#pragma once

#include <afxwin.h>

#include "tests/demo_window/ClickPane.h"

class CDemoFrame : public CFrameWnd {
public:
  // Where the frame asks to be on the desktop.
  static constexpr int kLeft = 40, kTop = 30, kWidth = 400, kHeight = 300;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  DECLARE_MESSAGE_MAP()

private:
  CClickPane m_pane;
};
