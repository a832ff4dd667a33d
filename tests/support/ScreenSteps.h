// The screens of a scenario, taken at named steps and checked against a table of expected hashes.
// Where a screen differs, the actual one is written beside the test log (the folder the test
// started in) as "<act>.<step number>.<step>.actual.png", and the expected one is copied next to it
// from the folder of reference screens, whose files are named by their hashes.
// With ZORVA_RECORD_SCREENS set in the environment, check() instead writes every screen taken into
// the reference folder and prints the table rows, to be looked at and kept in the test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ScreenImage.h"

namespace zorva::testing {

struct ExpectedScreen {
  std::string step;
  uint64_t hash = 0;
};

class ScreenSteps {
 public:
  explicit ScreenSteps(std::filesystem::path references);

  void take(std::string step, ScreenImage image);
  // Compares the steps taken since the last check with `expected`, in order, names and screens,
  // then forgets them. Every difference fails the test.
  void check(const std::string& act, const std::vector<ExpectedScreen>& expected);

 private:
  struct Taken {
    std::string step;
    ScreenImage image;
  };
  void record(const std::string& act) const;
  std::string fileStem(const std::string& act, size_t n, const std::string& step) const;

  std::filesystem::path references_;
  std::filesystem::path out_;
  std::vector<Taken> taken_;
};

}  // namespace zorva::testing
