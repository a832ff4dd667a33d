// zorva-lesson: builds a ZORVADAT folder from a lesson description, checks one, and starts Zorva on
// a course.
#include <csignal>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/Checker.h"
#include "tools/zorva-lesson/FolderWriter.h"
#include "tools/zorva-lesson/Launcher.h"
#include "tools/zorva-lesson/LessonDescription.h"
#include "tools/zorva-lesson/editor/EditCommand.h"
#include "tools/zorva-lesson/propose/ProposeCommand.h"

namespace {

int usage() {
  std::cerr << "usage: zorva-lesson build LESSON.toml OUTDIR [--install]   writes OUTDIR/ZORVADAT\n"
               "       zorva-lesson check DATADIR              reports what a ZORVADAT folder holds\n"
               "       zorva-lesson open [FOLDER]              starts Zorva on a course (default: the current one)\n"
               "       zorva-lesson install OUTDIR             makes a built course the current one\n"
            << zorva::propose::kProposeUsage << zorva::editor::kEditUsage;
  return 2;
}

int build(const std::string& description, const std::string& out_dir) {
  try {
    const zorva::builder::BookPlan wanted = zorva::builder::readDescription(description);
    for (const std::string& warning : wanted.warnings) std::cerr << "zorva-lesson: " << warning << "\n";
    const zorva::builder::BuiltBook book = zorva::builder::assemble(wanted);
    zorva::builder::writeLessonFolder(book, out_dir);
    std::cout << "wrote " << out_dir << "/ZORVADAT: " << book.pages.size() << " page(s)\n";
    return 0;
  } catch (const zorva::builder::BuildError& error) {
    std::cerr << "zorva-lesson: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace

// Exits with 0, 1 or 2 only, as scripts rely on: whatever escapes is reported as status 2,
// and a report piped into a reader that stops early does not end the program by a signal.
int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  try {
    if (argc >= 2 && std::string(argv[1]) == "propose") {
      return zorva::propose::runPropose(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
    }
    if (argc >= 2 && std::string(argv[1]) == "edit") {
      return zorva::editor::runEdit(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
    }
    if (argc == 4 && std::string(argv[1]) == "build") return build(argv[2], argv[3]);
    if (argc == 5 && std::string(argv[1]) == "build" && std::string(argv[4]) == "--install") {
      const int status = build(argv[2], argv[3]);
      return status == 0 ? zorva::builder::installCourse(argv[3]) : status;
    }
    if ((argc == 2 || argc == 3) && std::string(argv[1]) == "open") {
      return zorva::builder::openCourse(argc == 3 ? std::optional<std::string>(argv[2])
                                                  : std::nullopt);
    }
    if (argc == 3 && std::string(argv[1]) == "install") return zorva::builder::installCourse(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "check") {
      return zorva::builder::checkExitStatus(zorva::builder::checkLessonFolder(argv[2], std::cout));
    }
  } catch (const std::exception& error) {
    std::cerr << "zorva-lesson: " << error.what() << "\n";
    return 2;
  }
  return usage();
}
