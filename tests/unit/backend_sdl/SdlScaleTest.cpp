// HiDPI scaling in the SDL desktop: which factor a screen gets, how screen pixels and the
// program's pixels map onto each other, and how the program's pixels are enlarged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/backend/sdl/SdlDesktop.h"
#include "platform/backend/sdl/SdlScale.h"
#include "platform/backend/sdl/SharpScale.h"
#include "tests/unit/backend_sdl/ScreenlessSdl.h"

namespace zorva::platform {
namespace {

constexpr ScaleFactor kOne{1, 1}, kTwo{2, 1};

TEST(SdlScaleChoice, FollowsResolutionWorkAreaAndRequest) {
  struct Row {
    const char* what;
    ScaleInputs in;
    ScaleFactor expected;
  };
  const Row rows[] = {
      {"96 dpi screen keeps its pixels", {96.0, 2560, 1600, {}}, kOne},
      {"just below 1.5 x 96 dpi", {143.9, 2560, 1600, {}}, kOne},
      {"2560x1600 at 192 dpi: the height limits", {192.0, 2560, 1600, {}}, {1600, 716}},
      {"a wide screen: the width limits", {192.0, 2560, 1800, {}}, {5, 2}},
      {"2560x1440 at 192 dpi: the height limits, a little over 2", {192.0, 2560, 1440, {}}, {1440, 716}},
      {"exactly twice the window", {192.0, 2048, 1432, {}}, kTwo},
      {"1920x1200 less a panel", {144.0, 1920, 1160, {}}, {1160, 716}},
      {"4K at 288 dpi", {288.0, 3840, 2160, {}}, {2160, 716}},
      {"high dpi on a small screen never goes below 1", {300.0, 800, 600, {}}, kOne},
      {"unknown dpi", {0.0, 3840, 2160, {}}, kOne},
      {"request overrides a 96 dpi screen", {96.0, 2560, 1600, kTwo}, kTwo},
      {"a fractional request", {96.0, 2560, 1600, ScaleFactor{3, 2}}, {3, 2}},
      {"request 1 on a 192 dpi screen", {192.0, 2560, 1600, kOne}, kOne},
      {"3 on a screen too small falls back to the largest that fits", {192.0, 2560, 1440, ScaleFactor{3, 1}}, {1440, 716}},
      {"2 on a 1280x1024 screen falls back to 1.25", {96.0, 1280, 1024, kTwo}, {5, 4}},
  };
  for (const Row& row : rows) EXPECT_EQ(chooseScale(row.in), row.expected) << row.what;
}

TEST(SdlScaleChoice, RequestIsANumberFromOneToEight) {
  const std::pair<const char*, std::optional<ScaleFactor>> rows[] = {
      {nullptr, {}},     {"", {}},           {"1", kOne},       {"2", kTwo},    {"1.5", ScaleFactor{3, 2}},
      {"1.25", ScaleFactor{5, 4}}, {"1.75", ScaleFactor{7, 4}}, {"8", ScaleFactor{8, 1}}, {"2.50", ScaleFactor{5, 2}},
      {"0", {}},  {"0.5", {}},  {"9", {}},    {"1.125", {}},      {"2x", {}},     {"-1", {}},  {".5", {}}, {"1..5", {}}};
  for (const auto& [text, expected] : rows) EXPECT_EQ(parseScaleRequest(text), expected) << (text ? text : "null");
}

TEST(SdlScaleMapping, ClicksOnButtonEdgesLandWhereTheyAreSeen) {
  // The "Stop" button covers (10, 143)-(110, 169) in the view: left and top edges belong to it,
  // right and bottom edges do not; at factor k each of its pixels is a k x k block on the screen.
  for (int k = 1; k <= 3; ++k) {
    const ScaleMapping map(ScaleFactor{k, 1});
    EXPECT_EQ(map.toProgram(10 * k), 10) << "first screen pixel of the left edge, k=" << k;
    EXPECT_EQ(map.toProgram(10 * k - 1), 9) << "last screen pixel left of the button, k=" << k;
    EXPECT_EQ(map.toProgram(110 * k - 1), 109) << "last screen pixel inside the right edge, k=" << k;
    EXPECT_EQ(map.toProgram(110 * k), 110) << "first screen pixel right of the button, k=" << k;
    EXPECT_EQ(map.toProgram(-1), -1) << "left of the window stays outside it, k=" << k;
    EXPECT_EQ(map.toProgram(-k - 1), -2) << "k=" << k;
    InputEvent click{InputKind::MouseDown, 110 * k - 1, 143 * k};
    map.toProgram(click);
    EXPECT_EQ(click.x, 109);
    EXPECT_EQ(click.y, 143);
  }
  EXPECT_EQ(ScaleMapping(ScaleFactor{1, 2}).factor(), kOne) << "a factor below 1 means no scaling";
}

TEST(SdlScaleMapping, SizesAndPlacesComeBackAsTheyWere) {
  // The program asks for a window and reads back its content: any factor must give the same
  // numbers back, also for negative places (a screen left of the first).
  const ScaleFactor factors[] = {kOne, kTwo, {3, 1}, {3, 2}, {5, 4}, {7, 4}, {1440, 716}};
  for (const ScaleFactor& f : factors) {
    const ScaleMapping map(f);
    for (int v = -50; v <= 2100; ++v) ASSERT_EQ(map.toProgram(map.toScreen(v)), v) << v << " at " << f.value();
  }
  EXPECT_EQ(ScaleMapping(ScaleFactor{1440, 716}).toScreen(716), 1440) << "the window fills the height exactly";
}

TEST(SharpScaleImage, EveryProgramPixelBecomesAnExactBlockAtWholeFactors) {
  // Odd width and a stride past it: a wrong stride shears, a wrong factor shifts the corners.
  constexpr int w = 5, h = 3, stride = 7;
  std::vector<uint32_t> src(stride * h, 0xDEADBEEFu);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) src[y * stride + x] = 0x00010000u * y + 0x100u * x + 0x11u;
  }
  for (int k = 1; k <= 3; ++k) {
    std::vector<uint32_t> dst;
    SharpScale(w, h, w * k, h * k, k).draw(src.data(), stride, ScreenRect{0, 0, w * k, h * k}, dst);
    ASSERT_EQ(dst.size(), static_cast<size_t>(w * k * h * k)) << "k=" << k;
    for (int y = 0; y < h * k; ++y) {
      for (int x = 0; x < w * k; ++x) {
        ASSERT_EQ(dst[y * w * k + x], src[(y / k) * stride + x / k]) << "screen (" << x << "," << y << ") k=" << k;
      }
    }
    EXPECT_EQ(dst.back(), src[(h - 1) * stride + w - 1]) << "last corner, k=" << k;
  }
}

TEST(SharpScaleImage, FractionalFactorsBlendOnlyAtPixelEdges) {
  // Black and white columns, 2 program pixels onto a row of the screen: blocks of the whole part
  // stay pure, and only the screen pixel across an edge is a blend.
  const uint32_t black = 0, white = 0xFFFFFFu;
  const std::vector<uint32_t> src{black, white};
  struct Row {
    const char* what;
    int screen_w, whole;
    std::vector<uint32_t> expected;
  };
  const Row rows[] = {
      {"1.5: one edge pixel", 3, 1, {black, 0x808080u, white}},
      {"2.5: two pure pixels either side", 5, 2, {black, black, 0x808080u, white, white}},
  };
  for (const Row& row : rows) {
    const SharpScale scale(2, 1, row.screen_w, 1, row.whole);
    std::vector<uint32_t> dst;
    scale.draw(src.data(), 2, ScreenRect{0, 0, row.screen_w, 1}, dst);
    EXPECT_EQ(dst, row.expected) << row.what;
  }
}

TEST(SharpScaleImage, AChangedPixelRedrawsEveryScreenPixelItReaches) {
  constexpr int w = 9, h = 7;
  std::vector<uint32_t> before(w * h);
  for (int i = 0; i < w * h; ++i) before[i] = 0x00030507u * static_cast<uint32_t>(i);  // distinct per channel
  for (const auto& [screen_w, screen_h, whole] : {std::tuple{13, 10, 1}, {23, 16, 2}, {9, 7, 1}}) {
    const SharpScale scale(w, h, screen_w, screen_h, whole);
    const ScreenRect all{0, 0, screen_w, screen_h};
    std::vector<uint32_t> old_screen, new_screen;
    scale.draw(before.data(), w, all, old_screen);
    std::vector<uint32_t> after = before;
    after[3 * w + 4] = 0x00FFFFFFu;
    scale.draw(after.data(), w, all, new_screen);
    const ScreenRect reach = scale.affected(ScreenRect{4, 3, 5, 4});
    int changed = 0;
    for (int y = 0; y < screen_h; ++y) {
      for (int x = 0; x < screen_w; ++x) {
        if (old_screen[y * screen_w + x] == new_screen[y * screen_w + x]) continue;
        ++changed;
        EXPECT_TRUE(reach.contains(x, y)) << "(" << x << "," << y << ") on " << screen_w << "x" << screen_h;
      }
    }
    EXPECT_GT(changed, 0);
    EXPECT_LE(reach.width(), 2 * screen_w / w + 2) << "the reach stays near the pixel";
  }
}

// The backend at factor 2 on SDL's screenless driver: the program sees half the screen, and what
// it presents reaches the window surface doubled.
class SdlScaledBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    useScreenlessSdl();
    backend_ = std::make_unique<SdlDesktop>(kTwo);  // the screenless screen is too small to ask for 2
    ASSERT_EQ(backend_->scale(), kTwo);
    ASSERT_TRUE(backend_->createWindow("Scaled", ScreenRect{0, 0, 100, 60}));
  }
  std::unique_ptr<SdlDesktop> backend_;
};

TEST_F(SdlScaledBackendTest, ProgramSeesHalfTheScreenAndItsPixelsDoubled) {
  int screen_w = 0, screen_h = 0;
  SDL_GetWindowSize(backend_->window(), &screen_w, &screen_h);
  EXPECT_EQ(screen_w, 200);
  EXPECT_EQ(screen_h, 120);
  const ScreenRect content = backend_->contentRect();
  EXPECT_EQ(content.width(), 100);
  EXPECT_EQ(content.height(), 60);
  SDL_Rect bounds{};
  ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &bounds), 0);
  EXPECT_EQ(backend_->workArea().right, bounds.w / 2);
  EXPECT_EQ(backend_->workArea().bottom, bounds.h / 2);

  std::vector<uint32_t> pixels(100 * 60, 0x00FFFFFFu);
  pixels[0] = 0x000000FFu;             // red top-left corner
  pixels[100 * 60 - 1] = 0x00FF0000u;  // blue bottom-right corner
  backend_->present(pixels.data(), 100, 60, 100, ScreenRect{0, 0, 100, 60});
  backend_->showWindow(true);
  SDL_Surface* surface = SDL_GetWindowSurface(backend_->window());
  ASSERT_NE(surface, nullptr);
  auto screen = [&](int x, int y) {
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
    Uint32 value = 0;
    std::memcpy(&value, row + x * surface->format->BytesPerPixel, sizeof value);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return (static_cast<uint32_t>(b) << 16) | (static_cast<uint32_t>(g) << 8) | r;
  };
  const struct {
    int x, y;
    uint32_t colour;
  } expected[] = {{0, 0, 0x0000FFu},     {1, 1, 0x0000FFu},     {2, 0, 0xFFFFFFu},   {0, 2, 0xFFFFFFu},
                  {198, 118, 0xFF0000u}, {199, 119, 0xFF0000u}, {197, 119, 0xFFFFFFu}, {199, 117, 0xFFFFFFu}};
  for (const auto& e : expected) EXPECT_EQ(screen(e.x, e.y), e.colour) << "screen (" << e.x << "," << e.y << ")";

  SDL_Event press{};
  press.type = SDL_MOUSEBUTTONDOWN;
  press.button.windowID = SDL_GetWindowID(backend_->window());
  press.button.button = SDL_BUTTON_LEFT;
  press.button.x = 199;
  press.button.y = 2;
  SDL_PushEvent(&press);
  InputEvent event;
  bool found = false;
  while (!found && backend_->pollEvent(event)) found = event.kind == InputKind::MouseDown;
  ASSERT_TRUE(found);
  EXPECT_EQ(event.x, 99);
  EXPECT_EQ(event.y, 1);
}

}  // namespace
}  // namespace zorva::platform
