// A scratch folder for lesson descriptions and their media, removed after each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

class BuilderFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zorva-builder-XXXXXX";
    root_ = mkdtemp(pattern);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  std::string write(const std::string& name, const std::string& text) {
    const auto path = root_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  std::string path(const std::string& name) const { return (root_ / name).string(); }

  std::filesystem::path root_;
};
