// zorva-lesson: builds a ZORVADAT folder from a lesson description, checks one, starts Zorva on a
// course, proposes a page's items and corrects a lesson in the browser. One row of the table below
// per command.
#include <csignal>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/BuildCommand.h"
#include "tools/zorva-lesson/Checker.h"
#include "tools/zorva-lesson/CommandLine.h"
#include "tools/zorva-lesson/Launcher.h"
#include "tools/zorva-lesson/course/CourseCommands.h"
#include "tools/zorva-lesson/editor/EditCommand.h"
#include "tools/zorva-lesson/propose/ProposeCommand.h"
#include "zorva/Version.h"

namespace {

using zorva::builder::Invocation;

int build(const Invocation& call) {
  const int status = zorva::builder::buildCourse(call.operands[0], call.operands[1], call.out, call.err);
  return status == zorva::builder::kExitDone && call.has("--install") ? zorva::builder::installCourse(call.operands[1])
                                                                      : status;
}

int open(const Invocation& call) {
  return zorva::builder::openAnyCourse(call.operands.empty() ? std::nullopt
                                                             : std::optional<std::string>(call.operands.front()));
}

int install(const Invocation& call) { return zorva::builder::installAnyCourse(call.operands.front()); }

int pack(const Invocation& call) { return zorva::builder::packCourseCommand(call.operands[0], call.operands[1]); }

int version(const Invocation& call) {
  call.out << "zorva-lesson " ZORVA_VERSION "\n";
  return zorva::builder::kExitDone;
}

int check(const Invocation& call) {
  return zorva::builder::checkExitStatus(zorva::builder::checkLessonFolder(call.operands.front(), call.out));
}

std::vector<zorva::builder::Command> commandTable() {
  return {
      {"open", "[COURSE]", "starts Zorva on a course folder or file (default: the current course)", 0, 1, {}, open},
      {"build",
       "LESSON.toml OUTDIR [--install]",
       "writes OUTDIR/ZORVADAT from a lesson description",
       2,
       2,
       {{"--install", "", "then makes the built course the current one"}},
       build},
      {"install", "COURSE", "makes a course folder or file the current course", 1, 1, {}, install},
      {"pack", "COURSE OUT.zorva", "writes a course folder to one course file", 2, 2, {}, pack},
      {"check", "DATADIR", "reports what a ZORVADAT folder holds", 1, 1, {}, check},
      zorva::propose::proposeCommand(),
      zorva::editor::editCommand(),
      zorva::builder::helpCommand(),
      {"--version", "", "tells Zorva's version", 0, 0, {}, version},
  };
}

}  // namespace

// Exits with 0, 1 or 2 only, as scripts rely on: whatever escapes is reported as status 2,
// and a report piped into a reader that stops early does not end the program by a signal.
int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  try {
    return zorva::builder::runCommandLine(commandTable(), std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                          std::cerr);
  } catch (const std::exception& error) {
    zorva::builder::report(std::cerr, error.what());
    return zorva::builder::kExitUsage;
  }
}
