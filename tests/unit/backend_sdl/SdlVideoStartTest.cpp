// Which video starts count as a desktop: a display named to retry on, and SDL drivers that show
// nothing taken only when asked for by name.
#include <gtest/gtest.h>

#include "platform/backend/sdl/SdlVideoStart.h"

namespace zorva::platform {
namespace {

TEST(SdlVideoStartTest, OnlyANamedDisplayIsAskedAgain) {
  struct Row { const char* x11; const char* wayland; bool named; };
  const Row rows[] = {{nullptr, nullptr, false}, {"", "", false}, {":0", nullptr, true}, {"", "wayland-0", true}};
  for (const Row& row : rows) EXPECT_EQ(displayNamed(row.x11, row.wayland), row.named) << row.x11 << row.wayland;
}

TEST(SdlVideoStartTest, DriversThatShowNothingCountOnlyWhenAskedFor) {
  struct Row { const char* driver; const char* requested; bool shows; };
  const Row rows[] = {
      {"x11", nullptr, true},          {"wayland", "x11", true},      {"KMSDRM", nullptr, true},
      {"offscreen", nullptr, false},   {"offscreen", "x11", false},   {"dummy", nullptr, false},
      {"dummy", "dummy", true},        {"offscreen", "OFFSCREEN", true}, {nullptr, nullptr, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(driverShowsWindows(row.driver, row.requested), row.shows)
        << (row.driver ? row.driver : "none") << " asked " << (row.requested ? row.requested : "none");
  }
}

}  // namespace
}  // namespace zorva::platform
