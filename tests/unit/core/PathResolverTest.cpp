#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/PathResolver.h"
#include "tests/support/TempFolder.h"

using zorva::platform::resolvePath;

namespace {

class ResolvePath : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    dir_.makeFolder("zorvadat");
    dir_.writeFile("zorvadat/data4.dat", "d");
    dir_.writeFile("zorvadat/14101.pge", "p");
    dir_.makeFolder("Mixed");
    dir_.writeFile("Mixed/Both.txt", "upper");
    dir_.writeFile("Mixed/both.txt", "lower");
    dir_.writeFile("Mixed/BOTH.TXT", "all");
    dir_.writeFile("Mixed/cAsE.txt", "1");
    dir_.writeFile("Mixed/CaSe.txt", "2");
  }
  std::string root() const { return dir_.path(); }

  zorva::testing::TempFolder dir_;
};

struct Row {
  const char* rule;
  const char* relative;  // written after the folder, Win32 style
  const char* expected;  // relative to the folder; nullptr: no path
};

}  // namespace

TEST_F(ResolvePath, AppliesEachRule) {
  const std::vector<Row> rows = {
      {"forward separators, doubled", "/ZORVADAT//DATA4.DAT", "zorvadat/data4.dat"},
      {"back separators", "\\ZORVADAT\\14101.pge", "zorvadat/14101.pge"},
      {"mixed and repeated separators", "\\\\zorvadat/\\/14101.pge", "zorvadat/14101.pge"},
      {"upper-cased stored name", "/ZORVADAT\\14101.PGE", "zorvadat/14101.pge"},
      {"exact match wins over others", "/Mixed/both.txt", "Mixed/both.txt"},
      {"exact match wins (upper)", "/Mixed/BOTH.TXT", "Mixed/BOTH.TXT"},
      {"first in byte order among matches", "/mixed/bOTH.txt", "Mixed/BOTH.TXT"},
      {"first in byte order, two matches", "/MIXED/case.TXT", "Mixed/CaSe.txt"},
      {"trailing separator ignored", "/zorvadat/", "zorvadat"},
      {"missing file kept as written", "/ZORVADAT\\NEW.DAT", "zorvadat/NEW.DAT"},
      {"missing folder on the way", "/NOSUCH\\14101.pge", nullptr},
      {"a file used as a folder", "/ZORVADAT/DATA4.DAT/x", nullptr},
  };
  for (const Row& row : rows) {
    std::optional<std::string> got = resolvePath(root() + row.relative);
    if (row.expected == nullptr) {
      EXPECT_FALSE(got.has_value()) << row.rule << ": " << got.value_or("");
    } else {
      ASSERT_TRUE(got.has_value()) << row.rule;
      EXPECT_EQ(*got, root() + "/" + row.expected) << row.rule;
    }
  }
}

TEST_F(ResolvePath, RelativePathsResolveFromTheCurrentFolder) {
  std::string saved = std::filesystem::current_path().string();
  std::filesystem::current_path(root());
  std::optional<std::string> data = resolvePath("ZORVADAT//DATA4.DAT");
  std::optional<std::string> page = resolvePath("ZORVADAT\\14101.pge");
  std::optional<std::string> dotted = resolvePath(".\\zorvadat\\..\\ZORVADAT\\14101.PGE");
  std::filesystem::current_path(saved);
  EXPECT_EQ(data.value_or("none"), "zorvadat/data4.dat");
  EXPECT_EQ(page.value_or("none"), "zorvadat/14101.pge");
  EXPECT_EQ(dotted.value_or("none"), "./zorvadat/../zorvadat/14101.pge");
}

TEST_F(ResolvePath, RefusesWhatCannotNameAFile) {
  EXPECT_FALSE(resolvePath("").has_value());
  EXPECT_FALSE(resolvePath("\\/\\").has_value());
  EXPECT_FALSE(resolvePath("C:\\ZORVADAT\\DATA4.DAT").has_value());
}
