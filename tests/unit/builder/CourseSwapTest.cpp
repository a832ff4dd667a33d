// `install` puts a new course in the place of the old one, and `build` a new ZORVADAT in the place
// of the old, all or nothing: a failure or a kill at any file call leaves the old files or the new
// ones whole, and the next run tidies up.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <sstream>

#include "tests/unit/builder/BuilderFixture.h"
#include "tests/support/DataFolder.h"
#include "tools/zorva-lesson/FolderSwap.h"
#include "tools/zorva-lesson/FolderWriter.h"
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
  // A data file's bytes would fill a failure's report: it names them by their hash.
  static std::string text(const std::string& bytes) {
    return bytes.size() < 64 ? bytes : std::to_string(bytes.size()) + " bytes #" + std::to_string(std::hash<std::string>{}(bytes));
  }
  // Every file of the current course with its text.
  Files held() const { return heldIn(place_ / "ZORVADAT"); }
  static Files heldIn(const fs::path& data) {
    Files files;
    std::error_code error;  // a dangling link in its place holds nothing
    for (fs::recursive_directory_iterator it(data, error), end; !error && it != end; it.increment(error)) {
      std::ifstream in(it->path());
      if (it->is_regular_file()) files[fs::relative(it->path(), data)] = text(std::string(std::istreambuf_iterator(in), {}));
    }
    return files;
  }
  // Counts the file calls of `swap_in` (which puts the new files in the place of the old through
  // the calls: 0 on success, 1 when it leaves the old ones), then fails or kills it at each call in turn, with the exchange
  // working and refused, after `put_old`: `data` holds the old files or the new ones whole, and
  // so after the next run's tidying of `target` (the folder swapped), which leaves nothing but it
  // and the lock beside it.
  void expectOldOrNewAtEveryCall(const fs::path& target, const fs::path& data, const char* staging,
                                 const std::function<void()>& put_old, const std::function<int(FileCalls&)>& swap_in) {
    put_old();
    const Files old_files = heldIn(data);
    size_t calls = 0;
    ScriptedCalls counting([&](std::string_view, const fs::path&) { return ++calls, 0; });
    ASSERT_EQ(swap_in(counting), 0);
    const Files new_files = heldIn(data);
    ASSERT_NE(old_files, new_files);
    for (const bool exchange_works : {true, false}) {
      for (const bool kill : {false, true}) {
        for (size_t step = 1; step <= calls + 2; ++step) {
          SCOPED_TRACE(std::string(kill ? "killed" : "failed") + " at call " + std::to_string(step) +
                       (exchange_works ? "" : ", no exchange"));
          put_old();
          if (const pid_t child = fork(); child == 0) {  // the child swaps and may die on the way
            size_t at = 0;
            ScriptedCalls faulty([&](std::string_view call, const fs::path&) {
              if (!exchange_works && call == "exchange") return EINVAL;
              if (++at == step && kill) _exit(9);
              return at == step ? EIO : 0;
            });
            _exit(swap_in(faulty));
          }
          int status = 0;
          wait(&status);
          const Files now = heldIn(data);
          if (kill) {  // without the exchange a kill between the two renames leaves the old one aside
            EXPECT_TRUE(now == old_files || now == new_files || (!exchange_works && now.empty()));
          } else {
            EXPECT_EQ(now, WEXITSTATUS(status) == 1 ? old_files : new_files) << "the old files exactly, or the new";
          }
          { FolderSwap next(target, staging, "the files", realFileCalls()); }
          EXPECT_TRUE(heldIn(data) == old_files || heldIn(data) == new_files) << "the next run finds them whole";
          EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), fs::directory_iterator()), 2)
              << "the files and the lock only";
        }
      }
    }
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
  expectOldOrNewAtEveryCall(
      place_, place_ / "ZORVADAT", ".course-", [&] { ASSERT_EQ(install(old_course), 0); },
      [&](FileCalls& calls) { return install(new_course, calls); });
}

TEST_F(CourseSwapTest, AFailureOrKillAtEveryCallOfABuildLeavesTheOldDataFolderOrTheNewOneWhole) {
  const std::string out = (root_ / "out").string();
  lessonkit::Book old_book = testing::sampleBook(), new_book = testing::sampleBook();
  old_book.pages.front().info = "the old page";
  new_book.pages.front().info = "the new page";
  expectOldOrNewAtEveryCall(
      root_ / "out/ZORVADAT", root_ / "out/ZORVADAT", ".zorvadat-", [&] { writeLessonFolder(old_book, out); },
      [&](FileCalls& calls) {
        try {
          return writeLessonFolder(new_book, out, calls).empty() ? 0 : 2;  // the new one in place
        } catch (const BuildError&) {
          return 1;
        }
      });
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
