// CFrameWnd: the main window: menu bar, accelerators, title from the string table, and the
// pane child (AFX_IDW_PANE_FIRST) kept over the whole client area. Deletes itself when its
// window is destroyed.
#pragma once

#include "Wnd.h"

#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

struct CCreateContext;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  static const CRect rectDefault;
  HACCEL m_hAccelTable = nullptr;

  CFrameWnd() = default;
  ~CFrameWnd() override;

  // Loads menu, accelerators and title string nIDResource, then creates the window.
  virtual BOOL LoadFrame(UINT nIDResource,
                         DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                      DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                      CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                      DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  BOOL LoadAccelTable(LPCTSTR lpszResourceName);
  // The pane child, or null.
  CWnd* GetPaneWindow() const;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  afx_msg void OnClose();
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  // The command-UI pass before a popup opens: each item is enabled exactly when the command
  // route handles it, unless an update handler decides.
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

  DECLARE_MESSAGE_MAP()
};
