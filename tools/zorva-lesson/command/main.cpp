// zorva: the command a learner types, and the one the menu entry and a double click on a course
// file run. Inside a course folder it starts Zorva on that course, as the program itself always
// has; anywhere else on the current course, else the demo; given a course folder or file, on it.
#include <csignal>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "tools/lessonkit/Folder.h"
#include "tools/zorva-lesson/course/CourseCommands.h"
#include "tools/zorva-lesson/course/ProgramStart.h"
#include "zorva/Version.h"

namespace {

constexpr char kUsage[] =
    "usage: zorva [COURSE]\n"
    "Starts Zorva. COURSE is a course folder (holding ZORVADAT) or a course file (.zorva).\n"
    "Without COURSE: the course in the current folder when it holds ZORVADAT, else your current\n"
    "course (zorva-lesson install makes one current), else the demo course.\n"
    "  --help     show this text\n"
    "  --version  show Zorva's version\n";

bool insideACourse() {
  std::error_code error;
  return std::filesystem::is_directory(zorva::lessonkit::kDataFolderName, error);
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  const std::optional<std::string> arg = argc >= 2 ? std::optional<std::string>(argv[1]) : std::nullopt;
  if (arg == "--help" || arg == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (arg == "--version") {
    std::cout << "zorva " ZORVA_VERSION "\n";
    return 0;
  }
  if (argc > 2 || (arg && arg->rfind("-", 0) == 0)) {
    std::cerr << kUsage;
    return 2;
  }
  if (!arg && insideACourse()) return zorva::builder::execProgramIn(std::filesystem::current_path());
  return zorva::builder::openAnyCourse(arg);
}
