// The framework's drawing classes: device contexts and the drawing objects selected into them.
#pragma once

#include "Bitmap.h"
#include "Brush.h"
#include "DC.h"
#include "Font.h"
#include "GdiObject.h"
#include "Pen.h"
#include "ResourceException.h"
