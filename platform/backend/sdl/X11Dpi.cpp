#include "platform/backend/sdl/X11Dpi.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cstdlib>
#include <cstring>

namespace zorva::platform {
namespace {

double xftDpi(Display* display) {
  const char* resources = XResourceManagerString(display);
  if (resources == nullptr) return 0.0;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return 0.0;
  char* type = nullptr;
  XrmValue value{};
  double dpi = 0.0;
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr &&
      std::strcmp(type, "String") == 0) {
    dpi = std::atof(value.addr);
  }
  XrmDestroyDatabase(database);
  return dpi;
}

double screenDpi(Display* display) {
  const int screen = DefaultScreen(display);
  const int width_mm = DisplayWidthMM(display, screen);
  if (width_mm <= 0) return 0.0;
  return DisplayWidth(display, screen) * 25.4 / width_mm;
}

}  // namespace

double x11Dpi() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 0.0;
  double dpi = xftDpi(display);
  if (dpi <= 0.0) dpi = screenDpi(display);
  XCloseDisplay(display);
  return dpi;
}

}  // namespace zorva::platform
