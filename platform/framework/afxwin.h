// The application framework the program is written against (our subset of it).
#pragma once

#include <windows.h>

#include "core/AfxCore.h"
#include "gdi/AfxGdi.h"
#include "window/AfxWindow.h"
