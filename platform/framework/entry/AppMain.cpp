// The program's entry: the framework runs the one application object.
#include <afxwin.h>

#include "platform/win32/gdi/TextRenderer.h"

int main() {
  // The fonts are looked up while the desktop starts: the first screen has text on it.
  zorva::platform::prepareStockFonts();
  return AfxWinMain();
}
