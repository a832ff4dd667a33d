#include "tools/zorva-lesson/course/ProgramStart.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "tools/zorva-lesson/Launcher.h"

namespace zorva::builder {
namespace fs = std::filesystem;

namespace {

volatile sig_atomic_t g_child = 0;

void passOn(int signal) {
  if (g_child > 0) ::kill(static_cast<pid_t>(g_child), signal);
}

// Returns only when the program could not be started.
void execIn(const fs::path& course, const fs::path& program) {
  if (::chdir(course.c_str()) == 0) {
    char name[] = "zorva";
    char* const argv[] = {name, nullptr};
    ::execv(program.c_str(), argv);
  }
}

std::optional<fs::path> startable(const fs::path& course, std::string& problem) {
  const std::optional<fs::path> program = programPath();
  if (!program) {
    problem = "Zorva could not be started: its program is not installed beside the launcher.";
  } else if (::access(course.c_str(), X_OK) != 0) {
    problem = "Zorva cannot open the course folder " + course.string() + ".";
    return std::nullopt;
  }
  return program;
}

}  // namespace

std::optional<fs::path> programPath() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  const fs::path here = self.parent_path();
  // Installed: in the package's own folder for programs (ZORVA_PROGRAM_FROM_BINDIR, set by the
  // build from the install layout). In the build tree: beside zorva-lesson, or one up from the
  // zorva command, which is built in a folder of its own.
  for (const fs::path& candidate : {here / ZORVA_PROGRAM_FROM_BINDIR, here / "zorva", here.parent_path() / "zorva"}) {
    if (fs::is_regular_file(candidate, error) && !fs::equivalent(candidate, self, error)) {
      return candidate.lexically_normal();
    }
  }
  return std::nullopt;
}

int execProgramIn(const fs::path& course) {
  std::string problem;
  const std::optional<fs::path> program = startable(course, problem);
  if (program) {
    execIn(course, *program);
    problem = "Zorva could not be started from " + program->string() + ".";
  }
  reportCourseProblem(problem);
  return 1;
}

int runProgramIn(const fs::path& course) {
  std::string problem;
  const std::optional<fs::path> program = startable(course, problem);
  if (!program) {
    reportCourseProblem(problem);
    return 1;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    execIn(course, *program);
    _exit(127);
  }
  if (child < 0) {
    reportCourseProblem("Zorva could not be started: no process can be made.");
    return 1;
  }
  g_child = child;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, passOn);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  g_child = 0;
  if (WIFEXITED(status)) return WEXITSTATUS(status) == 127 ? 1 : WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}

}  // namespace zorva::builder
