// `zorva-lesson build`: a description in, a ZORVADAT folder out, or a refusal and nothing written.
#pragma once

#include <ostream>
#include <string>

namespace zorva::builder {

// Reads the description, builds every page in memory, judges it by the course rules and only
// then writes OUTDIR/ZORVADAT. Reports on `out`, warnings and the refusal on `errors`; returns
// kExitDone or kExitFailed.
int buildCourse(const std::string& description, const std::string& out_dir, std::ostream& out, std::ostream& errors);

}  // namespace zorva::builder
