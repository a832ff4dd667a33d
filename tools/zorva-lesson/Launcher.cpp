#include "tools/zorva-lesson/Launcher.h"

#include <SDL.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <iostream>

#include "tools/lessonkit/Folder.h"
#include "tools/zorva-lesson/CommandLine.h"
#include "tools/zorva-lesson/CourseFiles.h"
#include "tools/zorva-lesson/FileBytes.h"
#include "tools/zorva-lesson/FolderSwap.h"
#include "tools/zorva-lesson/course/ProgramStart.h"

namespace zorva::builder {
namespace fs = std::filesystem;

fs::path launcherDir() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path(".") : self.parent_path();
}

namespace {

std::vector<uint8_t> readCourseFile(const fs::path& path) {
  std::string why;
  std::optional<FileBytes> bytes = FileBytes::read(path, kMaxDataFileBytes, why);
  if (!bytes) throw std::runtime_error("can't install " + path.string() + ": it " + why);
  return bytes->bytes();
}

}  // namespace

// A course is a folder holding ZORVADAT; the learner may also name the ZORVADAT folder itself.
fs::path courseFolderFor(fs::path asked) {
  asked = fs::absolute(asked).lexically_normal();
  if (asked.filename().empty()) asked = asked.parent_path();  // a trailing slash
  if (asked.filename() == lessonkit::kDataFolderName && !holdsCourse(asked)) return asked.parent_path();
  return asked;
}

// Named after the command that was run (zorva or zorva-lesson), since both open courses.
void reportCourseProblem(const std::string& problem) {
  std::cerr << program_invocation_short_name << ": " << problem << "\n";
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Zorva Course Error", problem.c_str(), nullptr) != 0) {
    std::cerr << program_invocation_short_name << ": the message could not be shown in a box: " << SDL_GetError()
              << "\n";
  }
}

CoursePlaces coursePlaces(const fs::path& launcher_dir) {
  CoursePlaces places;
  const char* data_home = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (data_home != nullptr && *data_home == '/') {
    places.current = fs::path(data_home) / "zorva" / "course";
  } else {
    places.current = fs::path(home != nullptr ? home : "/") / ".local" / "share" / "zorva" / "course";
  }
  places.demos = {launcher_dir.parent_path() / "share" / "zorva" / "courses" / "demo", launcher_dir / "demo"};
  return places;
}

bool holdsCourse(const fs::path& folder) {
  std::error_code error;
  return fs::is_regular_file(folder / lessonkit::kDataFolderName / lessonkit::kStartupFileName, error);
}

std::optional<fs::path> chooseCourse(const std::optional<fs::path>& asked, const CoursePlaces& places,
                                     std::string& problem) {
  if (asked) {
    const fs::path folder = courseFolderFor(*asked);
    if (holdsCourse(folder)) return folder;
    problem = "There is no Zorva course in " + asked->string() + ": a course is a folder holding " +
              lessonkit::kDataFolderName + "/" + lessonkit::kStartupFileName + ".";
    return std::nullopt;
  }
  if (holdsCourse(places.current)) return places.current;
  for (const fs::path& demo : places.demos) {
    if (holdsCourse(demo)) return demo;
  }
  problem = "No Zorva course was found: neither your current course in " + places.current.string() +
            " nor the demo course";
  if (!places.demos.empty()) problem += " in " + places.demos.front().string();
  problem += " holds " + std::string(lessonkit::kDataFolderName) + "/" + lessonkit::kStartupFileName + ".";
  return std::nullopt;
}

int openCourse(const std::optional<std::string>& asked) {
  std::string problem;
  const std::optional<fs::path> asked_path = asked ? std::optional<fs::path>(*asked) : std::nullopt;
  const std::optional<fs::path> course = chooseCourse(asked_path, coursePlaces(launcherDir()), problem);
  if (!course) {
    reportCourseProblem(problem);
    return 1;
  }
  return execProgramIn(*course);
}

int installCourse(const std::string& built_dir, FileCalls& calls, std::ostream& out, std::ostream& err) {
  const fs::path source = courseFolderFor(built_dir);
  if (!holdsCourse(source)) {
    report(err, "no course in " + built_dir + " to install (it holds no " + lessonkit::kDataFolderName + "/" +
                    lessonkit::kStartupFileName + ")");
    return kExitFailed;
  }
  const fs::path data = source / lessonkit::kDataFolderName;
  const CourseListing listing = listCourse(data);
  if (!listing.refused.empty()) {
    for (const std::string& refused : listing.refused) report(err, refused);
    report(err, "the course in " + built_dir + " was not installed: a course holds regular files only");
    return kExitFailed;
  }
  const fs::path target = coursePlaces(launcherDir()).current;
  try {
    FolderSwap swap(target, ".course-", "the course", calls);
    const fs::path staged = swap.staging() / lessonkit::kDataFolderName;
    if (calls.makeFolder(staged) != 0) throw FileError("can't create", errno, staged);
    for (const fs::path& folder : listing.folders) {
      if (calls.makeFolder(staged / folder) != 0) throw FileError("can't create", errno, staged / folder);
    }
    for (const fs::path& file : listing.files) writeNewFile(calls, staged / file, readCourseFile(data / file));
    const std::string warning = swap.commit();
    if (!warning.empty()) report(err, "warning: " + warning);
  } catch (const std::runtime_error& error) {
    report(err, error.what());
    return kExitFailed;
  }
  out << "installed " << source.string() << " as the current course " << target.string() << "\n";
  return kExitDone;
}

int installCourse(const std::string& built_dir) { return installCourse(built_dir, realFileCalls(), std::cout, std::cerr); }

}  // namespace zorva::builder
