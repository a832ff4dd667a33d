// Writes a built book as OUTDIR/ZORVADAT, all or nothing.
#pragma once

#include <string>

#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/FileCalls.h"

namespace zorva::builder {

// Writes the files beside the old ZORVADAT and swaps them into its place (FolderSwap), so a
// failed or killed build leaves the old ZORVADAT or the new one, whole. Throws BuildError.
void writeLessonFolder(const BuiltBook& book, const std::string& out_dir, FileCalls& calls = realFileCalls());

}  // namespace zorva::builder
