// A lesson built by the builder from a description written in the test, in a scratch folder
// that is the current directory while the test runs, so that the program's own loaders read it.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/DataFolder.h"
#include "tests/support/PixelCanvas.h"
#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/FolderWriter.h"
#include "tools/zorva-lesson/LessonDescription.h"

class BuiltLesson : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_ = &zorva::platform::HeadlessBackend::install();
  }

  // Writes the description beside the media the test put in root_, builds it into root_/out and
  // makes that the current directory.
  void build(const std::string& description) {
    std::ofstream(root_ / "lesson.toml") << description;
    const auto plan = zorva::builder::readDescription((root_ / "lesson.toml").string());
    zorva::builder::writeLessonFolder(zorva::builder::assemble(plan), (root_ / "out").string());
    std::filesystem::current_path(root_ / "out");
  }

  // Which pixels of a text page (740 wide, at x = 110) in the view rows [top, bottom) are not white.
  std::vector<bool> inkIn(int top, int bottom) {
    std::vector<bool> ink;
    for (int y = top; y < bottom; ++y)
      for (int x = 110; x < 110 + 740; ++x) ink.push_back(dc_.GetPixel(x, y) != RGB(255, 255, 255));
    return ink;
  }

  zorva::testing::DataFolder scratch_;  // empty: the build writes its folder below
  const std::filesystem::path root_ = scratch_.root();
  zorva::platform::HeadlessBackend* desktop_ = nullptr;
  pixeltest::Canvas view_{1024, 716};  // what the lesson view shows
  CDC& dc_ = view_.cdc();
};
