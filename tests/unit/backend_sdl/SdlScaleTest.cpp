// HiDPI scaling in the SDL desktop: which factor a screen gets, and how screen pixels and the
// program's pixels map onto each other at 1, 2 and 3.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/backend/sdl/SdlDesktop.h"
#include "platform/backend/sdl/SdlScale.h"
#include "tests/unit/backend_sdl/ScreenlessSdl.h"

namespace zorva::platform {
namespace {

TEST(SdlScaleChoice, FollowsResolutionWorkAreaAndRequest) {
  struct Row {
    const char* what;
    ScaleInputs in;
    int expected;
  };
  const Row rows[] = {
      {"96 dpi screen keeps its pixels", {96.0, 2560, 1600, 0}, 1},
      {"just below 1.5 x 96 dpi", {143.9, 2560, 1600, 0}, 1},
      {"1.5 x 96 dpi on 2560x1600: 2 fits", {144.0, 2560, 1600, 0}, 2},
      {"192 dpi, 2560x1600", {192.0, 2560, 1600, 0}, 2},
      {"192 dpi, panel takes 40 rows: 2 still fits", {192.0, 2560, 1560, 0}, 2},
      {"height allows only 1", {192.0, 2560, 1431, 0}, 1},
      {"width allows only 1", {192.0, 2047, 1600, 0}, 1},
      {"4K at 288 dpi: 3 fits", {288.0, 3840, 2160, 0}, 3},
      {"high dpi on a small screen never goes below 1", {300.0, 800, 600, 0}, 1},
      {"unknown dpi", {0.0, 3840, 2160, 0}, 1},
      {"request overrides a 96 dpi screen", {96.0, 1280, 1024, 2}, 2},
      {"request overrides the fit", {192.0, 2560, 1600, 3}, 3},
      {"request 1 on a 192 dpi screen", {192.0, 2560, 1600, 1}, 1},
  };
  for (const Row& row : rows) EXPECT_EQ(chooseScale(row.in), row.expected) << row.what;
}

TEST(SdlScaleChoice, RequestIsOneTwoOrThree) {
  const std::pair<const char*, int> rows[] = {{nullptr, 0}, {"", 0}, {"1", 1}, {"2", 2},  {"3", 3},
                                              {"0", 0},     {"4", 0}, {"22", 0}, {"2x", 0}, {"-1", 0}};
  for (const auto& [text, expected] : rows) EXPECT_EQ(parseScaleRequest(text), expected) << (text ? text : "null");
}

TEST(SdlScaleMapping, ClicksOnButtonEdgesLandWhereTheyAreSeen) {
  // The "Stop" button covers (10, 143)-(110, 169) in the view: left and top edges belong to it,
  // right and bottom edges do not; at factor k each of its pixels is a k x k block on the screen.
  for (int k = 1; k <= 3; ++k) {
    const ScaleMapping map(k);
    EXPECT_EQ(map.toProgram(10 * k), 10) << "first screen pixel of the left edge, k=" << k;
    EXPECT_EQ(map.toProgram(10 * k - 1), 9) << "last screen pixel left of the button, k=" << k;
    EXPECT_EQ(map.toProgram(110 * k - 1), 109) << "last screen pixel inside the right edge, k=" << k;
    EXPECT_EQ(map.toProgram(110 * k), 110) << "first screen pixel right of the button, k=" << k;
    EXPECT_EQ(map.toProgram(169 * k - 1), 168) << "last row inside the bottom edge, k=" << k;
    EXPECT_EQ(map.toProgram(-1), -1) << "left of the window stays outside it, k=" << k;
    EXPECT_EQ(map.toProgram(-k), -1) << "k=" << k;
    EXPECT_EQ(map.toProgram(-k - 1), -2) << "k=" << k;
    EXPECT_EQ(map.toScreen(1024), 1024 * k) << "k=" << k;
    InputEvent click{InputKind::MouseDown, 110 * k - 1, 143 * k};
    map.toProgram(click);
    EXPECT_EQ(click.x, 109);
    EXPECT_EQ(click.y, 143);
    InputEvent resize{InputKind::Resize};
    resize.width = 2048 * k / 2 + 1;  // a size that is no multiple of k keeps only whole pixels
    resize.height = 1432 * k / 2;
    map.toProgram(resize);
    EXPECT_EQ(resize.width, (2048 * k / 2 + 1) / k);
    EXPECT_EQ(resize.height, 1432 * k / 2 / k);
  }
  EXPECT_EQ(ScaleMapping(0).factor(), 1) << "a factor below 1 means no scaling";
}

TEST(SdlScaleMapping, EveryProgramPixelBecomesAnExactBlock) {
  // Odd width and a stride past it: a wrong stride shears, a wrong factor shifts the corners.
  constexpr int w = 5, h = 3, stride = 7;
  std::vector<uint32_t> src(stride * h, 0xDEADBEEFu);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) src[y * stride + x] = 0x00010000u * y + 0x100u * x + 0x11u;
  }
  for (int k = 1; k <= 3; ++k) {
    std::vector<uint32_t> dst;
    scaleUp(src.data(), stride, w, h, k, dst);
    ASSERT_EQ(dst.size(), static_cast<size_t>(w * k * h * k)) << "k=" << k;
    for (int y = 0; y < h * k; ++y) {
      for (int x = 0; x < w * k; ++x) {
        ASSERT_EQ(dst[y * w * k + x], src[(y / k) * stride + x / k]) << "screen (" << x << "," << y << ") k=" << k;
      }
    }
    EXPECT_EQ(dst.back(), src[(h - 1) * stride + w - 1]) << "last corner, k=" << k;
  }
}

// The backend at factor 2 on SDL's screenless driver: the program sees half the screen, and what
// it presents reaches the window surface doubled.
class SdlScaledBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    useScreenlessSdl();
    setenv("ZORVA_SCALE", "2", 1);
    backend_ = std::make_unique<SdlDesktop>();
    unsetenv("ZORVA_SCALE");
    ASSERT_EQ(backend_->scale(), 2);
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
