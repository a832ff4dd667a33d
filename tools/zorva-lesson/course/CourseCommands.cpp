#include "tools/zorva-lesson/course/CourseCommands.h"

#include <iostream>

#include "tools/zorva-lesson/CommandLine.h"
#include "tools/zorva-lesson/Launcher.h"
#include "tools/zorva-lesson/course/CoursePacker.h"
#include "tools/zorva-lesson/course/ProgramStart.h"
#include "tools/zorva-lesson/course/UnpackedCourse.h"

namespace zorva::builder {

int openAnyCourse(const std::optional<std::string>& asked) {
  if (!asked || !isCourseFile(*asked)) return openCourse(asked);
  try {
    const UnpackedCourse course(*asked);
    return runProgramIn(course.folder());
  } catch (const ArchiveError& error) {
    reportCourseProblem(error.what());
    return 1;
  }
}

int installAnyCourse(const std::string& asked) {
  if (!isCourseFile(asked)) return installCourse(asked);
  try {
    const UnpackedCourse course(asked);
    return installCourse(course.folder().string());
  } catch (const ArchiveError& error) {
    report(std::cerr, error.what() + std::string("; the current course is unchanged"));
    return 1;
  }
}

int packCourseCommand(const std::string& course, const std::string& out) {
  try {
    packCourse(course, out);
    std::cout << "wrote " << out << "\n";
    return 0;
  } catch (const ArchiveError& error) {
    report(std::cerr, error.what());
    return 1;
  }
}

}  // namespace zorva::builder
