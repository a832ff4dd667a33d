// The program's entry: the one application object is initialised, then runs its message loop
// until the main window closes.
#include <afxwin.h>

#include "platform/win32/gdi/TextRenderer.h"

int main() {
  // The fonts are looked up while the desktop starts: the first screen has text on it.
  zorva::platform::prepareStockFonts();
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return -1;  // the program defines no application object
  app->GetAppTitle();
  if (!app->InitInstance()) {
    if (CWnd* main = app->m_pMainWnd; main != nullptr && main->m_hWnd != nullptr)
      main->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}
