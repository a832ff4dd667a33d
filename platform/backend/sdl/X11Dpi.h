#pragma once
// The resolution an X11 desktop declares, which SDL 2 does not read the way desktops set it.

namespace zorva::platform {

// Xft.dpi from the X resources (what desktop settings write when the user picks a scale), else the
// X screen's own resolution from its size in pixels and millimetres; 0 when no X server answers.
double x11Dpi();

}  // namespace zorva::platform
