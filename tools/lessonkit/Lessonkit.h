// Writes Zorva's data files from in-memory pictures, items and samples.
#pragma once

#include "tools/lessonkit/Aiff.h"
#include "tools/lessonkit/ByteWriter.h"
#include "tools/lessonkit/DataFiles.h"
#include "tools/lessonkit/Folder.h"
#include "tools/lessonkit/Pcx.h"
#include "tools/lessonkit/Records.h"
