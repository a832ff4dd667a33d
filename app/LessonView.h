// The child window that fills the frame and hands painting and clicks to the lesson book.
#pragma once

#include <afxwin.h>

class CLessonBook;

class CLessonView : public CWnd {
public:
  CLessonView();
  virtual ~CLessonView();

  CLessonBook* m_pBook;

protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
