// Shared by TextOutA and DrawTextA: the face of a font handle and one painted line.
#pragma once

#include <string_view>

#include "DeviceContext.h"
#include "FontFace.h"

namespace zorva::platform {

FontFace* faceOf(HFONT font);
std::string_view textOf(LPCSTR text, int count);
// The line's cells in the background colour (opaque mode), then its ink; logical (x, y).
PixelRect paintLine(DeviceContext& dc, FontFace& face, int x, int y, std::string_view text,
                    int underline, const ClipList& clips);

}  // namespace zorva::platform
