// Drawing a dialog made from a template: modal frame, caption, icon, static texts and push
// buttons, in the classic desktop colours, through a DC on the dialog window.
#pragma once

#include "DialogLayout.h"

namespace zorva::platform {

void drawDialog(HDC dc, const DialogTemplate& dialog, const DialogGeometry& geometry,
                const std::string& caption);

}  // namespace zorva::platform
