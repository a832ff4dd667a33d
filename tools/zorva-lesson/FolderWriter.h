// Writes a built book as OUTDIR/ZORVADAT, all or nothing.
#pragma once

#include <string>

#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/FileCalls.h"

namespace zorva::builder {

// Writes the files beside the old ZORVADAT and swaps them into its place (FolderSwap), so a
// failed or killed build leaves the old ZORVADAT or the new one, whole. Throws BuildError when the
// old one stays; returns a warning (else "") when the new one is in place but the old one could
// not be removed.
std::string writeLessonFolder(const BuiltBook& book, const std::string& out_dir, FileCalls& calls = realFileCalls());

}  // namespace zorva::builder
