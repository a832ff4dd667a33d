// zorva-lesson: builds a ZORVADAT folder from a lesson description, checks one, starts Zorva on a
// course and proposes a page's items. One row of the table below per command.
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
#include "tools/zorva-lesson/propose/ProposeCommand.h"

namespace {

using zorva::builder::Invocation;

int build(const Invocation& call) {
  const int status = zorva::builder::buildCourse(call.operands[0], call.operands[1], call.out, call.err);
  return status == zorva::builder::kExitDone && call.has("--install") ? zorva::builder::installCourse(call.operands[1])
                                                                      : status;
}

int open(const Invocation& call) {
  return zorva::builder::openCourse(call.operands.empty() ? std::nullopt
                                                          : std::optional<std::string>(call.operands.front()));
}

int install(const Invocation& call) { return zorva::builder::installCourse(call.operands.front()); }

int check(const Invocation& call) {
  return zorva::builder::checkExitStatus(zorva::builder::checkLessonFolder(call.operands.front(), call.out));
}

std::vector<zorva::builder::Command> commandTable() {
  return {
      {"open", "[FOLDER]", "starts Zorva on a course (default: the current one)", 0, 1, {}, open},
      {"build",
       "LESSON.toml OUTDIR [--install]",
       "writes OUTDIR/ZORVADAT from a lesson description",
       2,
       2,
       {{"--install", "", "then makes the built course the current one"}},
       build},
      {"install", "OUTDIR", "makes a built course the current one", 1, 1, {}, install},
      {"check", "DATADIR", "reports what a ZORVADAT folder holds", 1, 1, {}, check},
      zorva::propose::proposeCommand(),
      zorva::builder::helpCommand(),
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
