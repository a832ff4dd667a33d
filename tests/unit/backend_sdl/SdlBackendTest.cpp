// The SDL desktop on SDL's screenless video driver: window, kept content, event queue, clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/backend/sdl/SdlAudio.h"
#include "platform/backend/sdl/SdlDesktop.h"
#include "tests/unit/backend_sdl/ScreenlessSdl.h"

namespace zorva::platform {
namespace {

class SdlBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    useScreenlessSdl();
    backend_ = std::make_unique<SdlDesktop>();
    ASSERT_TRUE(backend_->createWindow("Demo", ScreenRect{10, 20, 330, 260}));
  }
  std::unique_ptr<SdlDesktop> backend_;
};

// A key as SDL reports it before it has seen any window take the keyboard focus: no window id.
void pushKey(SDL_Keycode key) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = key;
  SDL_PushEvent(&e);
}

void pushWheel() {
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  SDL_PushEvent(&wheel);
}

// Ends a wait that would otherwise never return: a close request arrives after `ms`, so a fault
// fails the test with a wrong event instead of hanging it.
class Watchdog {
 public:
  explicit Watchdog(Uint32 ms) : id_(SDL_AddTimer(ms, &Watchdog::fire, nullptr)) {}
  ~Watchdog() { SDL_RemoveTimer(id_); }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  static Uint32 fire(Uint32, void*) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    return 0;
  }
  SDL_TimerID id_;
};

TEST_F(SdlBackendTest, WindowTakesTheAskedRectangleWithoutDecorations) {
  const ScreenRect content = backend_->contentRect();
  EXPECT_EQ(content.width(), 320);  // the dummy desktop has no decorations
  EXPECT_EQ(content.height(), 240);
  EXPECT_FALSE(backend_->createWindow("Again", ScreenRect{0, 0, 10, 10})) << "one window only";
  const ScreenRect work = backend_->workArea();
  EXPECT_GT(work.width(), 0);
  EXPECT_GT(work.height(), 0);
}

TEST_F(SdlBackendTest, PresentKeepsOnlyTheChangedRectangle) {
  constexpr int w = 8, h = 6, stride = 10;
  std::vector<uint32_t> first(stride * h, 0x00112233u);
  backend_->present(first.data(), w, h, stride, ScreenRect{0, 0, w, h});
  std::vector<uint32_t> second(stride * h, 0x00AABBCCu);
  backend_->present(second.data(), w, h, stride, ScreenRect{2, 1, 5, 3});
  // Changed rectangles reaching outside the content are clipped, never read past the buffer.
  backend_->present(second.data(), w, h, stride, ScreenRect{7, 5, 100, 100});
  ASSERT_EQ(backend_->shownWidth(), w);
  ASSERT_EQ(backend_->shownHeight(), h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool changed = (x >= 2 && x < 5 && y >= 1 && y < 3) || (x == 7 && y == 5);
      EXPECT_EQ(backend_->shownPixel(x, y), changed ? 0x00AABBCCu : 0x00112233u) << x << "," << y;
    }
  }
}

// The desktop shows what is presented before present() returns (the platform gathers calls).
TEST_F(SdlBackendTest, PresentedPixelsAreOnTheWindowWhenPresentReturns) {
  backend_->showWindow(true);
  SDL_Surface* surface = SDL_GetWindowSurface(backend_->window());
  ASSERT_NE(surface, nullptr);
  const auto shown = [&] {
    Uint32 value = 0;
    std::memcpy(&value, surface->pixels, sizeof value);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return (static_cast<uint32_t>(b) << 16) | (static_cast<uint32_t>(g) << 8) | r;
  };
  std::vector<uint32_t> pixels(320 * 240);
  for (const uint32_t colour : {0x00302010u, 0x00312213u}) {
    std::fill(pixels.begin(), pixels.end(), colour);
    backend_->present(pixels.data(), 320, 240, 320, ScreenRect{0, 0, 320, 240});
    EXPECT_EQ(shown(), colour);
  }
}

TEST_F(SdlBackendTest, PollSkipsEventsThatMeanNothing) {
  InputEvent event;
  while (backend_->pollEvent(event)) {
  }
  pushWheel();
  pushWheel();
  pushKey(SDLK_RETURN);
  pushWheel();
  ASSERT_TRUE(backend_->pollEvent(event)) << "the wheel turns hid the key behind them";
  EXPECT_EQ(event.kind, InputKind::KeyDown);
  EXPECT_EQ(event.virtual_key, 0x0Du);
  EXPECT_FALSE(backend_->pollEvent(event)) << "a trailing wheel turn is no event";

  pushKey(SDLK_CAPSLOCK);  // outside the key table
  pushKey(SDLK_a);
  ASSERT_TRUE(backend_->pollEvent(event));
  EXPECT_EQ(event.virtual_key, static_cast<unsigned>('A'));
}

TEST_F(SdlBackendTest, WaitLastsItsTimeoutWhenNothingMeaningfulComes) {
  InputEvent event;
  while (backend_->pollEvent(event)) {
  }
  uint64_t before = backend_->nowMs();
  backend_->waitForEvent(30);
  EXPECT_GE(backend_->nowMs() - before, 25u) << "nothing came: the wait lasts its timeout";
  EXPECT_FALSE(backend_->pollEvent(event));

  pushWheel();
  before = backend_->nowMs();
  backend_->waitForEvent(30);
  EXPECT_GE(backend_->nowMs() - before, 25u) << "a wheel turn is not a reason to wake";
  EXPECT_FALSE(backend_->pollEvent(event));
}

TEST_F(SdlBackendTest, WaitKeepsTheEventItReadForThePoll) {
  InputEvent event;
  while (backend_->pollEvent(event)) {
  }
  pushWheel();
  pushKey(SDLK_ESCAPE);
  {
    const Watchdog watchdog(5000);
    backend_->waitForEvent(-1);
  }
  ASSERT_TRUE(backend_->pollEvent(event));
  EXPECT_EQ(event.kind, InputKind::KeyDown) << "the wait ran into the watchdog";
  EXPECT_EQ(event.virtual_key, 0x1Bu);
  EXPECT_FALSE(backend_->pollEvent(event));

  // An event already waiting ends the wait at once, and stays the next one polled.
  pushKey(SDLK_TAB);
  {
    const Watchdog watchdog(5000);
    backend_->waitForEvent(-1);
    backend_->waitForEvent(-1);
  }
  pushKey(SDLK_SPACE);
  ASSERT_TRUE(backend_->pollEvent(event));
  EXPECT_EQ(event.virtual_key, 0x09u);
  ASSERT_TRUE(backend_->pollEvent(event));
  EXPECT_EQ(event.virtual_key, 0x20u);
}

TEST_F(SdlBackendTest, MessageBoxWithoutADialogAnswersAsDismissed) {
  // The dummy desktop can show no dialog: the box must not claim the user agreed.
  EXPECT_EQ(backend_->messageBox("Delete?", "Zorva", 0x4, true), 7);      // MB_YESNO -> IDNO
  EXPECT_EQ(backend_->messageBox("Save?", "Zorva", 0x1, false), 2);       // MB_OKCANCEL -> IDCANCEL
  EXPECT_THROW(backend_->messageBox("x", "y", 0x6, false), std::invalid_argument);
}

TEST_F(SdlBackendTest, DestroyedWindowHasNoContentRect) {
  backend_->destroyWindow();
  EXPECT_EQ(backend_->contentRect().width(), 0);
  std::vector<uint32_t> pixels(4, 1u);
  backend_->present(pixels.data(), 2, 2, 2, ScreenRect{0, 0, 2, 2});  // must not touch a window
  SdlAudio().beep(0);  // the beep's own device, with no window left
}

}  // namespace
}  // namespace zorva::platform
