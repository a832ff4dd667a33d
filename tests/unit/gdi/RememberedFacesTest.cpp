// The stock faces' files remembered between runs: what was written is recalled, and anything
// that could make it wrong (fonts or their configuration changed since, a font file gone, other
// patterns, a damaged memory) makes the faces be looked up again.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/win32/gdi/RememberedFaces.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using zorva::platform::FaceFile;
using zorva::platform::recallFaces;
using zorva::platform::rememberFaces;
using zorva::testing::TempFolder;

TEST(RememberedFacesTest, RecalledOnlyWhileNothingMakesItWrong) {
  struct Row {
    const char* label;
    std::function<void(const TempFolder&, std::vector<std::string>&)> change;  // after remembering
    bool recalled;
  };
  const auto later = [](const std::string& path) {
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(5));
  };
  const std::vector<Row> rows = {
      {"as written", [](const TempFolder&, std::vector<std::string>&) {}, true},
      {"configuration changed since", [&](const TempFolder& t, auto&) { later(t.at("fontconfig")); }, false},
      {"a font file gone", [](const TempFolder& t, auto&) { fs::remove(t.at("Bold.ttf")); }, false},
      {"other patterns", [](const TempFolder&, auto& patterns) { patterns[1] = "serif"; }, false},
      {"more faces asked for", [](const TempFolder&, auto& patterns) { patterns.push_back("serif"); }, false},
      {"no memory", [](const TempFolder& t, auto&) { fs::remove(t.at("cache/stock-fonts")); }, false},
      {"damaged index", [&](const TempFolder& t, auto&) {
         t.writeFile("cache/stock-fonts", "sans\tx1\t" + t.at("Sans.ttf") + "\nbold\t0\t" + t.at("Bold.ttf") + "\n");
       }, false},
      {"a path that is not absolute", [&](const TempFolder& t, auto&) {
         t.writeFile("cache/stock-fonts", "sans\t0\tSans.ttf\nbold\t0\t" + t.at("Bold.ttf") + "\n");
       }, false},
      {"cut short", [&](const TempFolder& t, auto&) { t.writeFile("cache/stock-fonts", "sans\t0\t"); }, false},
  };
  for (const Row& row : rows) {
    TempFolder t;
    t.makeFolder("fontconfig");
    t.writeFile("Sans.ttf", "face");
    t.writeFile("Bold.ttf", "face");
    const std::vector<FaceFile> faces = {{"sans", t.at("Sans.ttf"), 0}, {"bold", t.at("Bold.ttf"), 2}};
    rememberFaces(t.at("cache/stock-fonts"), faces);
    std::vector<std::string> patterns = {"sans", "bold"};
    row.change(t, patterns);
    const auto recalled = recallFaces(t.at("cache/stock-fonts"), patterns, {t.at("fontconfig")});
    ASSERT_EQ(recalled.has_value(), row.recalled) << row.label;
    if (recalled) {
      ASSERT_EQ(recalled->size(), 2u);
      EXPECT_EQ((*recalled)[1].path, t.at("Bold.ttf"));
      EXPECT_EQ((*recalled)[1].index, 2);
      EXPECT_EQ((*recalled)[0].pattern, "sans");
    }
  }
}

// A face fontconfig did not find is not remembered: the next start asks again.
TEST(RememberedFacesTest, AFaceNotFoundIsNotRemembered) {
  TempFolder t;
  t.writeFile("Sans.ttf", "face");
  rememberFaces(t.at("cache/stock-fonts"), {{"sans", t.at("Sans.ttf"), 0}, {"bold", "", 0}});
  EXPECT_FALSE(fs::exists(t.at("cache/stock-fonts")));
  EXPECT_FALSE(recallFaces(t.at("cache/stock-fonts"), {"sans", "bold"}, {}).has_value());
}

}  // namespace
