// The main frame window: menu, accelerators, title, clamped size and the lesson view inside.
#pragma once

#include <afxwin.h>

#include "app/LessonView.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNAMIC(CMainFrame)

public:
  // The window the book's layout is made for; smaller desktops get their work area.
  enum { kBookWidth = 1024, kBookHeight = 716 };

  CMainFrame();
  virtual ~CMainFrame();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  CLessonView m_lessonView;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()
};
