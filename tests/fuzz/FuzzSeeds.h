// Seed inputs for the fuzz targets, made with lessonkit: well-formed files of each kind and the
// damaged ones that once crashed the program. scripts/fuzz.sh writes them out as the targets'
// starting corpora (zorva-fuzz-seeds), and the regression replay runs them in the test suite.
#pragma once

#include <string>
#include <vector>

#include "tools/lessonkit/Lessonkit.h"

namespace zorva::fuzz {

// The inputs a target starts from; empty for an unknown target name.
std::vector<lessonkit::Bytes> seedsFor(const std::string& target);
// The names of the targets that have seeds.
std::vector<std::string> seededTargets();

// A small well-formed DATA4.DAT, for inputs that stand for a page.
lessonkit::Bytes goodStartupFile();

}  // namespace zorva::fuzz
