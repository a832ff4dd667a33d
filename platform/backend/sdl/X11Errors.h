#pragma once
// On an X11 desktop, a request the X server refuses (a window that closed a moment earlier, say)
// would otherwise end the whole program with status 1 from inside Xlib.

namespace zorva::platform {

// From then on, refused requests are reported on standard error and the program goes on. Call
// before SDL's video starts: SDL passes errors on to the handler it found and restores that
// handler when it shuts down, when the last replies (and refusals) are read.
void reportX11ErrorsAndGoOn();

}  // namespace zorva::platform
