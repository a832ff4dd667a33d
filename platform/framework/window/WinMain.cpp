// The framework's entry: initialise the one application object, then run its message loop.
#include <cstdio>

#include "AfxWindow.h"
#include "OutOfMemory.h"
#include "WinApp.h"
#include "Wnd.h"

namespace {
constexpr int kNoMainWindowStatus = 1;
constexpr int kOutOfMemoryStatus = 1;

bool hasWindow(const CWnd* wnd) { return wnd != nullptr && wnd->m_hWnd != nullptr; }

int initAndRun(CWinApp* app) {
  if (!app->InitInstance()) {
    if (hasWindow(app->m_pMainWnd)) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  }
  if (!hasWindow(app->m_pMainWnd)) {
    // The desktop gave no window (its reason is already on standard error): a message loop
    // without a window would wait for ever.
    std::fprintf(stderr, "%s: no main window could be made; ending\n", app->GetAppTitle());
    // A frame deletes itself when its window goes; one that never had a window is deleted here.
    delete app->m_pMainWnd;
    app->m_pMainWnd = nullptr;
    app->ExitInstance();
    return kNoMainWindowStatus;
  }
  return app->Run();
}
}  // namespace

int AFXAPI AfxWinMain() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return -1;  // the program defines no application object
  app->GetAppTitle();
  // Memory that runs out inside a message handler is told there and the program goes on.
  // Outside every handler (while the application starts, or between messages) there is nothing
  // to go on with: the learner is told why, and the program ends instead of aborting.
  int status = 0;
  if (!AfxRunTellingOutOfMemory(nullptr, [&] { status = initAndRun(app); })) return status;
  if (hasWindow(app->m_pMainWnd)) app->m_pMainWnd->DestroyWindow();
  app->ExitInstance();
  return kOutOfMemoryStatus;
}
