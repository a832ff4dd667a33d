// `install` puts a new course in the place of the old one all or nothing: a failure or a kill at
// any file call leaves the old course or the new one whole, and the next run tidies up.
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <sstream>

#include "tests/unit/builder/BuilderFixture.h"
#include "tools/zorva-lesson/FolderSwap.h"
#include "tools/zorva-lesson/Launcher.h"

namespace zorva::builder {
namespace {

namespace fs = std::filesystem;
using Script = std::function<int(std::string_view call, const fs::path& path)>;

class ScriptedCalls : public FileCalls {
 public:
  explicit ScriptedCalls(Script script) : script_(std::move(script)) {}

 protected:
  int before(std::string_view call, const fs::path& path) override { return script_(call, path); }

 private:
  Script script_;
};

class CourseSwapTest : public BuilderFolder {
 protected:
  void SetUp() override { setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1); }
  void TearDown() override { unsetenv("XDG_DATA_HOME"); }

  fs::path course(const std::string& name, const std::map<std::string, std::string>& files) {
    for (const auto& [file, text] : files) {
      fs::create_directories((root_ / name / "ZORVADAT" / file).parent_path());
      write(name + "/ZORVADAT/" + file, text);
    }
    return root_ / name;
  }
  // What the current course holds: every file with its text, or the hidden entries beside it.
  std::map<std::string, std::string> held(const fs::path& folder = "data/zorva/course/ZORVADAT") const {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root_ / folder, error), end; !error && it != end; it.increment(error)) {
      if (!it->is_regular_file()) continue;
      std::ifstream in(it->path());
      files[fs::relative(it->path(), root_ / folder).string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
  }
  int install(const fs::path& from, FileCalls& calls, std::string* message = nullptr) {
    std::ostringstream out, err;
    const int status = installCourse(from.string(), calls, out, err);
    if (message) *message = err.str();
    return status;
  }
  // Installs in a child process that `script` may end at any call; returns its wait status.
  int installInChild(const fs::path& from, Script script) {
    const pid_t child = fork();
    if (child == 0) {
      ScriptedCalls calls(std::move(script));
      _exit(install(from, calls));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
  }

  const std::map<std::string, std::string> old_files_{{"DATA4.DAT", "old title"}, {"14101.pge", "old page"}, {"sub/a", "x"}};
  const std::map<std::string, std::string> new_files_{{"DATA4.DAT", "new title"}, {"14102.pge", "new page"}};
};

TEST_F(CourseSwapTest, AFailureOrKillAtEveryCallLeavesTheOldCourseOrTheNewOneWhole) {
  const fs::path old_course = course("old", old_files_), new_course = course("new", new_files_);
  ASSERT_EQ(install(old_course, realFileCalls()), 0);
  std::vector<std::string> steps;
  ScriptedCalls counting([&](std::string_view call, const fs::path&) { steps.emplace_back(call); return 0; });
  ASSERT_EQ(install(new_course, counting), 0);
  ASSERT_EQ(held(), new_files_);
  for (const bool exchange_works : {true, false}) {
    for (const bool kill : {false, true}) {
      for (size_t step = 1; step <= steps.size() + 2; ++step) {
        ASSERT_EQ(install(old_course, realFileCalls()), 0);
        size_t at = 0;
        const int status = installInChild(new_course, [&](std::string_view call, const fs::path&) {
          if (!exchange_works && call == "exchange") return EINVAL;
          if (++at != step) return 0;
          if (kill) _exit(9);
          return EIO;
        });
        SCOPED_TRACE(std::string(kill ? "killed" : "failed") + " at call " + std::to_string(step) +
                     (exchange_works ? "" : ", no exchange"));
        const bool completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        const auto now = held();
        if (kill) {
          // Without the exchange a kill between the two renames leaves the old course set aside.
          EXPECT_TRUE(now == old_files_ || now == new_files_ || (!exchange_works && now.empty()));
        } else {
          EXPECT_EQ(now, completed ? new_files_ : old_files_) << "the old course exactly, or the new one";
        }
        { FolderSwap next(root_ / "data/zorva/course", ".course-", "the course", realFileCalls()); }
        const auto after = held();
        EXPECT_TRUE(after == old_files_ || after == new_files_) << "the next run finds a whole course";
        EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "data/zorva"), fs::directory_iterator{}), 2)
            << "the course and the lock only: the next run leaves no staging folder";
      }
    }
  }
}

TEST_F(CourseSwapTest, RefusalsSayTheCauseAndChangeNothing) {
  const fs::path old_course = course("old", old_files_), new_course = course("new", new_files_);
  ASSERT_EQ(install(old_course, realFileCalls()), 0);
  const fs::path place = root_ / "data/zorva/course";
  const fs::path link_out = course("linked", new_files_), pipe = course("piped", new_files_);
  fs::create_symlink("/etc/passwd", link_out / "ZORVADAT/14103.pge");
  mkfifo((pipe / "ZORVADAT/14103.pge").c_str(), 0644);
  const auto failing = [](std::string call, fs::path path, int error) {
    return [=](std::string_view c, const fs::path& p) { return c == call && (path.empty() || p == path) ? error : 0; };
  };
  struct Row {
    const char* what;
    fs::path from;
    Script script;
    std::string said;
  } rows[] = {
      {"read-only course folder", new_course, failing("access", place, EACCES),
       "the folder " + place.string() + " needs write permission for you"},
      {"read-only folder inside it", new_course, failing("access", place / "ZORVADAT/sub", EACCES),
       "the folder " + (place / "ZORVADAT/sub").string() + " needs write permission"},
      {"read-only parent", new_course, failing("access", place.parent_path(), EPERM),
       "the folder " + place.parent_path().string() + " needs write permission"},
      {"full disk", new_course, failing("write", "", ENOSPC), "no space left on the device"},
      {"a link out of the course", link_out, failing("", "", 0), "14103.pge is a link leading out of the course"},
      {"a named pipe", pipe, failing("", "", 0), "14103.pge is a named pipe"},
  };
  for (const Row& row : rows) {
    ScriptedCalls calls(row.script);
    std::string message;
    EXPECT_EQ(install(row.from, calls, &message), 1) << row.what;
    EXPECT_NE(message.find(row.said), std::string::npos) << row.what << ": " << message;
    EXPECT_EQ(held(), old_files_) << row.what;
  }
}

TEST_F(CourseSwapTest, ASecondInstallWhileOneRunsIsRefusedByTheLock) {
  const fs::path old_course = course("old", old_files_);
  ASSERT_EQ(install(old_course, realFileCalls()), 0);
  const int lock = open((root_ / "data/zorva/.course.lock").c_str(), O_RDWR);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  std::string message;
  EXPECT_EQ(install(course("new", new_files_), realFileCalls(), &message), 1);
  EXPECT_NE(message.find("another zorva-lesson is installing or building"), std::string::npos) << message;
  EXPECT_EQ(held(), old_files_);
  close(lock);
}

TEST_F(CourseSwapTest, ADanglingLinkInPlaceOfTheCoursesFolderIsNamed) {
  fs::create_directories(root_ / "data");
  fs::create_symlink(root_ / "nowhere", root_ / "data/zorva");
  std::string message;
  EXPECT_EQ(install(course("new", new_files_), realFileCalls(), &message), 1);
  EXPECT_NE(message.find((root_ / "data/zorva").string() + " is a link"), std::string::npos) << message;
}

}  // namespace
}  // namespace zorva::builder
