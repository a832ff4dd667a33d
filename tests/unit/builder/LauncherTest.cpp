// Which course `zorva-lesson open` starts Zorva on, and how `install` makes a course current.
#include <cstdlib>

#include "tests/unit/builder/BuilderFixture.h"
#include "tools/zorva-lesson/Launcher.h"

namespace zorva::builder {
namespace {

namespace fs = std::filesystem;

class LauncherTest : public BuilderFolder {
 protected:
  // A folder holding ZORVADAT; `complete` false leaves out the start-up file.
  fs::path course(const std::string& name, bool complete = true, const std::string& marker = "title") {
    const fs::path data = root_ / name / "ZORVADAT";
    fs::create_directories(data);
    if (complete) write(name + "/ZORVADAT/DATA4.DAT", marker);
    return root_ / name;
  }
  CoursePlaces places() const { return CoursePlaces{root_ / "data/zorva/course", {root_ / "share/demo", root_ / "demo"}}; }
};

TEST_F(LauncherTest, ChoosesTheAskedFolderThenTheCurrentCourseThenTheDemo) {
  const fs::path mine = course("mine");
  course("broken", false);
  fs::create_directories(root_ / "empty");
  struct Row {
    const char* what;
    std::optional<fs::path> asked;
    std::optional<fs::path> expected;
  };
  const Row asked_rows[] = {
      {"a folder holding ZORVADAT", mine, mine},
      {"the ZORVADAT folder itself", mine / "ZORVADAT", mine},
      {"the ZORVADAT folder with a trailing slash", fs::path((mine / "ZORVADAT").string() + "/"), mine},
      {"a folder without ZORVADAT", root_ / "empty", std::nullopt},
      {"ZORVADAT without its start-up file", root_ / "broken", std::nullopt},
      {"a folder that does not exist", root_ / "nowhere", std::nullopt},
  };
  for (const Row& row : asked_rows) {
    std::string problem;
    EXPECT_EQ(chooseCourse(row.asked, places(), problem), row.expected) << row.what;
    if (!row.expected) {
      EXPECT_NE(problem.find(row.asked->string()), std::string::npos) << row.what << ": " << problem;
    }
  }

  std::string problem;
  EXPECT_EQ(chooseCourse(std::nullopt, places(), problem), std::nullopt) << "no course anywhere";
  EXPECT_NE(problem.find(places().current.string()), std::string::npos) << problem;
  const fs::path build_demo = course("demo");
  EXPECT_EQ(chooseCourse(std::nullopt, places(), problem), build_demo) << "the build tree's demo";
  const fs::path installed_demo = course("share/demo");
  EXPECT_EQ(chooseCourse(std::nullopt, places(), problem), installed_demo) << "the installed demo comes first";
  const fs::path current = course("data/zorva/course");
  EXPECT_EQ(chooseCourse(std::nullopt, places(), problem), current) << "the current course comes before the demo";
}

TEST_F(LauncherTest, CurrentCourseFollowsXdgDataHome) {
  const char* saved_xdg = std::getenv("XDG_DATA_HOME");
  const std::string saved = saved_xdg ? saved_xdg : "";
  setenv("HOME", "/home/learner", 1);
  const std::pair<const char*, fs::path> rows[] = {
      {"/data", "/data/zorva/course"},
      {"", "/home/learner/.local/share/zorva/course"},
      {"relative/path", "/home/learner/.local/share/zorva/course"},  // not absolute: ignored
  };
  for (const auto& [xdg, expected] : rows) {
    setenv("XDG_DATA_HOME", xdg, 1);
    EXPECT_EQ(coursePlaces("/usr/bin").current, expected) << "XDG_DATA_HOME=" << xdg;
  }
  EXPECT_EQ(coursePlaces("/usr/bin").demos.front(), fs::path("/usr/share/zorva/courses/demo"));
  if (saved_xdg) setenv("XDG_DATA_HOME", saved.c_str(), 1); else unsetenv("XDG_DATA_HOME");
}

TEST_F(LauncherTest, InstallReplacesTheCurrentCourseOnlyWithACompleteOne) {
  const char* saved_xdg = std::getenv("XDG_DATA_HOME");
  const std::string saved = saved_xdg ? saved_xdg : "";
  setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  const fs::path current = root_ / "data/zorva/course/ZORVADAT/DATA4.DAT";
  auto contents = [](const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(installCourse(course("first", true, "one").string()), 0);
  EXPECT_EQ(contents(current), "one");
  const fs::path second = course("second", true, "two");
  write("second/ZORVADAT/14101.pge", "page");
  EXPECT_EQ(installCourse(second.string()), 0);
  EXPECT_EQ(contents(current), "two") << "the new course replaces the old one";
  EXPECT_TRUE(fs::exists(current.parent_path() / "14101.pge"));
  EXPECT_EQ(installCourse(course("half", false).string()), 1);
  EXPECT_EQ(contents(current), "two") << "a folder without a course changes nothing";
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "data/zorva"), fs::directory_iterator{}), 2)
      << "the course and the install lock, no staging folder";
  if (saved_xdg) setenv("XDG_DATA_HOME", saved.c_str(), 1); else unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace zorva::builder
