// Starting the program itself: it takes no arguments and reads ZORVADAT in its current folder.
// The package installs it out of the PATH (the `zorva` command a learner types is the launcher),
// so it is found from the launcher's own place on disk.
#pragma once

#include <filesystem>
#include <optional>

namespace zorva::builder {

// The installed program, else the build tree's; never the running launcher itself.
std::optional<std::filesystem::path> programPath();

// Runs the program in `course` in place of this process. Returns 1, after reporting why, only
// when it could not be started.
int execProgramIn(const std::filesystem::path& course);

// Runs the program in `course` as a child and waits for it (the caller cleans up afterwards);
// termination signals are passed on to it. Returns its exit status, or 1 when it could not be
// started.
int runProgramIn(const std::filesystem::path& course);

}  // namespace zorva::builder
