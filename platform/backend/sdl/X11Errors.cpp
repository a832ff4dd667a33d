#include "platform/backend/sdl/X11Errors.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace zorva::platform {
namespace {

int reportRefusedRequest(Display* display, XErrorEvent* error) {
  char text[160] = {};
  XGetErrorText(display, error->error_code, text, sizeof text - 1);
  std::fprintf(stderr, "zorva: the X server refused request %d on resource 0x%lx (%s); going on\n",
               error->request_code, error->resourceid, text);
  return 0;
}

}  // namespace

void reportX11ErrorsAndGoOn() { XSetErrorHandler(reportRefusedRequest); }

}  // namespace zorva::platform
