// The framework's core: run-time classes, strings, exceptions, files and rectangles.
#pragma once

#include "AfxDefs.h"
#include "CException.h"
#include "CFile.h"
#include "CObject.h"
#include "CRect.h"
#include "CString.h"
