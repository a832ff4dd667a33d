// `zorva-lesson propose`: the command line around proposePage.
#pragma once

#include <iostream>
#include <string>
#include <vector>

namespace zorva::propose {

extern const char* const kProposeUsage;

// Prints the proposal on `out`, progress and errors on `err`; returns the exit status
// (0 done, 1 no proposal could be made, 2 wrong arguments).
int runPropose(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zorva::propose
