// `zorva-lesson propose`: the command-table row around proposePage.
#pragma once

#include "tools/zorva-lesson/CommandLine.h"

namespace zorva::propose {

// Prints the proposal on standard output, progress and errors on standard error; exits with 0
// done, 1 no proposal could be made, 2 wrong arguments.
builder::Command proposeCommand();

}  // namespace zorva::propose
