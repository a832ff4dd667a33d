#include "tests/support/ScreenSteps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace zorva::testing {

namespace {

std::string hex(uint64_t hash) {
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::string slug(const std::string& text) {
  std::string out;
  for (char c : text) {
    const bool plain = std::isalnum(static_cast<unsigned char>(c)) != 0;
    if (plain) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    else if (!out.empty() && out.back() != '-') out += '-';
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out;
}

}  // namespace

ScreenSteps::ScreenSteps(std::filesystem::path references)
    : references_(std::move(references)), out_(std::filesystem::current_path()) {}

void ScreenSteps::take(std::string step, ScreenImage image) {
  taken_.push_back(Taken{std::move(step), std::move(image)});
}

std::string ScreenSteps::fileStem(const std::string& act, size_t n, const std::string& step) const {
  char number[16];
  std::snprintf(number, sizeof number, "%02zu", n);
  return (out_ / (slug(act) + "." + number + "." + slug(step))).string();
}

void ScreenSteps::record(const std::string& act) const {
  std::filesystem::create_directories(references_);
  std::printf("    {\"%s\",\n     {", act.c_str());
  for (const Taken& t : taken_) {
    const std::filesystem::path file = references_ / (hex(t.image.hash()) + ".png");
    if (!std::filesystem::exists(file)) t.image.writePng(file);
    std::printf("{\"%s\", 0x%sull},\n      ", t.step.c_str(), hex(t.image.hash()).c_str());
  }
  std::printf("}},\n");
}

void ScreenSteps::check(const std::string& act, const std::vector<ExpectedScreen>& expected) {
  if (std::getenv("ZORVA_RECORD_SCREENS") != nullptr) {
    record(act);
    taken_.clear();
    return;
  }
  const size_t steps = std::max(taken_.size(), expected.size());
  for (size_t n = 0; n < steps; ++n) {
    const Taken* actual = n < taken_.size() ? &taken_[n] : nullptr;
    const ExpectedScreen* wanted = n < expected.size() ? &expected[n] : nullptr;
    if (actual != nullptr && wanted != nullptr && actual->step == wanted->step &&
        actual->image.hash() == wanted->hash)
      continue;
    const std::string stem = fileStem(act, n, actual != nullptr ? actual->step : wanted->step);
    std::string note = act + ", step " + std::to_string(n) + ": ";
    if (actual == nullptr) {
      note += "expected \"" + wanted->step + "\", but the act ended before it";
    } else if (wanted == nullptr) {
      note += "a step more than expected: \"" + actual->step + "\"";
    } else if (actual->step != wanted->step) {
      note += "expected \"" + wanted->step + "\", but \"" + actual->step + "\" came";
    } else {
      note += "the screen at \"" + actual->step + "\" differs: " + hex(actual->image.hash()) +
              " instead of " + hex(wanted->hash);
    }
    if (actual != nullptr && actual->image.writePng(stem + ".actual.png"))
      note += "\n  actual:   " + stem + ".actual.png";
    if (wanted != nullptr) {
      std::error_code failed;
      std::filesystem::copy_file(references_ / (hex(wanted->hash) + ".png"), stem + ".expected.png",
                                 std::filesystem::copy_options::overwrite_existing, failed);
      if (!failed) note += "\n  expected: " + stem + ".expected.png";
    }
    ADD_FAILURE() << note;
  }
  taken_.clear();
}

}  // namespace zorva::testing
