// `install` puts a new course in the place of the old one all or nothing: a failure or a kill at
// any file call leaves the old course or the new one whole, and the next run tidies up.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
using Files = std::map<std::string, std::string>;

// Each file call asks `script` first; a result other than 0 fails the call with that errno.
class ScriptedCalls : public FileCalls {
 public:
  explicit ScriptedCalls(std::function<int(std::string_view, const fs::path&)> s) : script(std::move(s)) {}
  std::function<int(std::string_view, const fs::path&)> script;

 protected:
  int before(std::string_view call, const fs::path& path) override { return script(call, path); }
};

class CourseSwapTest : public BuilderFolder {
 protected:
  void SetUp() override { setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1); }
  void TearDown() override { unsetenv("XDG_DATA_HOME"); }

  fs::path course(const std::string& name, const Files& files) {
    for (const auto& [file, text] : files) {
      fs::create_directories((root_ / name / "ZORVADAT" / file).parent_path());
      write(name + "/ZORVADAT/" + file, text);
    }
    return root_ / name;
  }
  // Every file of the current course with its text.
  Files held() const {
    Files files;
    const fs::path data = place_ / "ZORVADAT";  // a dangling link in its place holds nothing
    std::error_code error;
    for (fs::recursive_directory_iterator it(data, error), end; !error && it != end; it.increment(error)) {
      std::ifstream in(it->path());
      if (it->is_regular_file()) files[fs::relative(it->path(), data)] = std::string(std::istreambuf_iterator(in), {});
    }
    return files;
  }
  int install(const fs::path& from, FileCalls& calls = realFileCalls(), std::string* said = nullptr) {
    std::ostringstream out, err;
    const int status = installCourse(from.string(), calls, out, err);
    if (said) *said = err.str();
    return status;
  }

  const fs::path place_ = root_ / "data/zorva/course";
  const Files old_files_{{"DATA4.DAT", "old title"}, {"14101.pge", "old page"}, {"sub/a", "x"}};
  const Files new_files_{{"DATA4.DAT", "new title"}, {"14102.pge", "new page"}};
};

TEST_F(CourseSwapTest, AFailureOrKillAtEveryCallLeavesTheOldCourseOrTheNewOneWhole) {
  const fs::path old_course = course("old", old_files_), new_course = course("new", new_files_);
  ASSERT_EQ(install(old_course), 0);
  size_t calls = 0;
  ScriptedCalls counting([&](std::string_view, const fs::path&) { return ++calls, 0; });
  ASSERT_EQ(install(new_course, counting), 0);
  for (const bool exchange_works : {true, false}) {
    for (const bool kill : {false, true}) {
      for (size_t step = 1; step <= calls + 2; ++step) {
        SCOPED_TRACE(std::string(kill ? "killed" : "failed") + " at call " + std::to_string(step) +
                     (exchange_works ? "" : ", no exchange"));
        ASSERT_EQ(install(old_course), 0);
        if (const pid_t child = fork(); child == 0) {  // the child installs and may die on the way
          size_t at = 0;
          ScriptedCalls faulty([&](std::string_view call, const fs::path&) {
            if (!exchange_works && call == "exchange") return EINVAL;
            if (++at == step && kill) _exit(9);
            return at == step ? EIO : 0;
          });
          _exit(install(new_course, faulty));
        }
        int status = 0;
        wait(&status);
        const Files now = held();
        if (kill) {  // without the exchange a kill between the two renames leaves the old one aside
          EXPECT_TRUE(now == old_files_ || now == new_files_ || (!exchange_works && now.empty()));
        } else {
          EXPECT_EQ(now, WEXITSTATUS(status) == 0 ? new_files_ : old_files_) << "the old course exactly, or the new";
        }
        { FolderSwap next(place_, ".course-", "the course", realFileCalls()); }
        EXPECT_TRUE(held() == old_files_ || held() == new_files_) << "the next run finds a whole course";
        EXPECT_EQ(std::distance(fs::directory_iterator(place_.parent_path()), fs::directory_iterator()), 2) << "course and lock only";
      }
    }
  }
}

TEST_F(CourseSwapTest, RefusalsSayTheCauseAndChangeNothing) {
  ASSERT_EQ(install(course("old", old_files_)), 0);
  const fs::path new_course = course("new", new_files_), link_out = course("linked", new_files_);
  const fs::path pipe = course("piped", new_files_);
  fs::create_symlink("/etc/passwd", link_out / "ZORVADAT/14103.pge");
  mkfifo((pipe / "ZORVADAT/14103.pge").c_str(), 0644);
  const int lock = open((place_.parent_path() / ".course.lock").c_str(), O_RDWR);
  const auto failing = [](std::string call, fs::path path, int error) {
    return [=](std::string_view c, const fs::path& p) { return c == call && (path.empty() || p == path) ? error : 0; };
  };
  struct Row {
    const char* what;
    fs::path from;
    std::function<int(std::string_view, const fs::path&)> script;
    std::string said;
  } rows[] = {
      {"read-only course folder", new_course, failing("access", place_, EACCES),
       "the folder " + place_.string() + " needs write permission for you"},
      {"read-only folder in it", new_course, failing("access", place_ / "ZORVADAT/sub", EACCES),
       "the folder " + (place_ / "ZORVADAT/sub").string() + " needs write permission"},
      {"read-only parent", new_course, failing("access", place_.parent_path(), EPERM),
       "the folder " + place_.parent_path().string() + " needs write permission"},
      {"full disk", new_course, failing("write", "", ENOSPC), "no space left on the device"},
      {"a link out of the course", link_out, failing("", "", 0), "14103.pge is a link leading out of the course"},
      {"a named pipe", pipe, failing("", "", 0), "14103.pge is a named pipe"},
  };
  for (const Row& row : rows) {
    ScriptedCalls calls(row.script);
    std::string said;
    EXPECT_EQ(install(row.from, calls, &said), 1) << row.what;
    EXPECT_NE(said.find(row.said), std::string::npos) << row.what << ": " << said;
    EXPECT_EQ(held(), old_files_) << row.what;
  }
  std::string said;
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  EXPECT_EQ(install(new_course, realFileCalls(), &said), 1);
  EXPECT_NE(said.find("another zorva-lesson is installing or building"), std::string::npos) << said;
  EXPECT_EQ(held(), old_files_);
  close(lock);
  fs::remove_all(root_ / "data");
  fs::create_symlink(root_ / "nowhere", root_ / "data");
  EXPECT_EQ(install(new_course, realFileCalls(), &said), 1);
  EXPECT_NE(said.find((root_ / "data").string() + " is a link"), std::string::npos) << said;
}

}  // namespace
}  // namespace zorva::builder
