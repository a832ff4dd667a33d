// CWinThread and CWinApp: the one application object, its message loop (accelerators are
// translated here, and only here) and idle time; ID_APP_EXIT closes the main window.
#pragma once

#include "Wnd.h"

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWnd* m_pMainWnd = nullptr;
  MSG m_msgCur{};

  CWinThread() = default;
  ~CWinThread() override = default;

  virtual BOOL InitInstance();
  // Runs the message loop until WM_QUIT; returns ExitInstance()'s code (the quit's wParam).
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  virtual BOOL OnIdle(LONG lCount);
  virtual int ExitInstance();
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  LPCTSTR m_pszAppName = nullptr;
  LPCTSTR m_pszRegistryKey = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPTSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;

  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Accepted for compatibility: the look of controls is ours, and nothing goes to a registry.
  BOOL Enable3dControls() { return TRUE; }
  BOOL Enable3dControlsStatic() { return TRUE; }
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);

  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const;

  afx_msg void OnAppExit();

  // The title message boxes carry: m_pszAppName, else string AFX_IDS_APP_TITLE (57344), which
  // then becomes m_pszAppName. Resources are registered at static-init time, so this is asked
  // late, never from the constructor.
  LPCTSTR GetAppTitle();

  DECLARE_MESSAGE_MAP()

 private:
  CString m_strAppName;
};

// The running application's title (CWinApp::GetAppTitle), or "" without an application.
LPCTSTR AfxGetAppTitle();
