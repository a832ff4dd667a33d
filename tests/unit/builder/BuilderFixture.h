// A scratch folder for lesson descriptions and their media, removed after each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

// A description of one lesson with one page of one text line and one item on it, which a test
// completes with the item's own keys from line 10 on.
inline constexpr const char* kOneLinePage = R"([title]
text = ["Title"]

[[lesson]]
number = 1
  [[lesson.page]]
  text = ["One line"]
    [[lesson.page.item]]
    line = 1
)";

class BuilderFolder : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    folder_.writeFile(name, text);
    return path(name);
  }
  std::string path(const std::string& name) const { return folder_.at(name); }

  zorva::testing::TempFolder folder_;
  const std::filesystem::path root_{folder_.path()};
};
