// Starting Zorva on a course, and making a built course the learner's current one.
//
// The program reads ZORVADAT from its current folder and takes no arguments; the launcher picks
// the folder, changes into it and runs the program there. The learner's current course lives in
// $XDG_DATA_HOME/zorva/course (~/.local/share/zorva/course); the demo course is installed beside
// the program.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/zorva-lesson/FileCalls.h"

namespace zorva::builder {

// Where the launcher looks, worked out from the environment and its own place on disk.
struct CoursePlaces {
  std::filesystem::path current;             // the learner's current course
  std::vector<std::filesystem::path> demos;  // the installed demo course, then the build tree's
};

CoursePlaces coursePlaces(const std::filesystem::path& launcher_dir);

// The folder this program was started from.
std::filesystem::path launcherDir();

// The course folder a learner means: `asked` itself, or its parent when `asked` is the ZORVADAT
// folder; made absolute.
std::filesystem::path courseFolderFor(std::filesystem::path asked);

// Says what went wrong on standard error and, since a learner who started Zorva from the
// desktop has no terminal to read, in a message box.
void reportCourseProblem(const std::string& problem);

// Whether the folder holds a course: a ZORVADAT folder with its start-up file.
bool holdsCourse(const std::filesystem::path& folder);

// The folder to start the program in. `asked` is the folder named on the command line: a folder
// holding ZORVADAT, or a ZORVADAT folder itself. Without one: the current course, else the first
// demo that is there. nullopt when no course is found; `problem` then says where it looked.
std::optional<std::filesystem::path> chooseCourse(const std::optional<std::filesystem::path>& asked,
                                                  const CoursePlaces& places, std::string& problem);

// zorva-lesson open [FOLDER]: runs the program in the chosen course folder (does not return on
// success). Without a course it says why on standard error and in a message box, and returns 1.
int openCourse(const std::optional<std::string>& asked);

// zorva-lesson install OUTDIR: copies the regular files of OUTDIR/ZORVADAT in the place of the
// current course, all or nothing (see FolderSwap), through `calls`. Returns the exit status;
// problems go to `err`.
int installCourse(const std::string& built_dir, FileCalls& calls, std::ostream& out, std::ostream& err);
int installCourse(const std::string& built_dir);

}  // namespace zorva::builder
