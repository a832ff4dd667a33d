#pragma once
// On an X11 desktop, a request the X server refuses (a window that closed a moment earlier, say)
// would otherwise end the whole program with status 1 from inside Xlib.

namespace zorva::platform {

// Call after SDL's video is up: from then on refused requests are reported on standard error
// and the program goes on. Does nothing on other desktops.
void reportX11ErrorsAndGoOn();

}  // namespace zorva::platform
