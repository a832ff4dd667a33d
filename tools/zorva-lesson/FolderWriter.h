// Writes a built book as OUTDIR/ZORVADAT, all or nothing.
#pragma once

#include <string>

#include "tools/zorva-lesson/Assembler.h"

namespace zorva::builder {

// Writes into a temporary folder beside the target and renames it into place at the end, so a
// failed build never leaves a half-written ZORVADAT. Throws BuildError on failure.
void writeLessonFolder(const BuiltBook& book, const std::string& out_dir);

}  // namespace zorva::builder
