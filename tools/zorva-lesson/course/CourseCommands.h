// The commands that take a course folder or a course file: open and install (shared by
// zorva-lesson and the zorva command), and pack.
#pragma once

#include <optional>
#include <string>

namespace zorva::builder {

// Opens a course folder as openCourse does, or a course file: unpacked into a temporary folder
// that is removed when Zorva ends. A refused file is reported (standard error and a message
// box) with status 1.
int openAnyCourse(const std::optional<std::string>& asked);

// Makes a course folder or a course file the current course; a refused file leaves the current
// course as it was. Returns the exit status.
int installAnyCourse(const std::string& asked);

// zorva-lesson pack COURSE OUT.zorva. Returns the exit status; problems go to standard error.
int packCourseCommand(const std::string& course, const std::string& out);

}  // namespace zorva::builder
