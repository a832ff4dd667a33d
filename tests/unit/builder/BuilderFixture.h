// A scratch folder for lesson descriptions and their media, removed after each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

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
