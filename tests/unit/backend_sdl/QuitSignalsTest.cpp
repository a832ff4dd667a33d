// Quit signals on the SDL desktop (SDL's screenless driver): the first asks the window to close
// through the event queue; where the program reads no input the grace ends it; a second signal
// ends it at once.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include "platform/backend/sdl/SdlDesktop.h"
#include "tests/unit/backend_sdl/ScreenlessSdl.h"

namespace zorva::platform {
namespace {

TEST(QuitStepTest, CloseRequestFirstThenTheEndAfterTheGraceOrASecondSignal) {
  struct Row { const char* what; int signals; uint64_t ms; QuitStep step; };
  const Row rows[] = {
      {"no signal", 0, 10000, QuitStep::GoOn},
      {"just arrived", 1, 0, QuitStep::WaitForClose},
      {"within the grace", 1, kCloseGraceMs - 1, QuitStep::WaitForClose},
      {"grace over", 1, kCloseGraceMs, QuitStep::EndNow},
      {"a second signal", 2, 0, QuitStep::EndNow},
  };
  for (const Row& row : rows) EXPECT_EQ(quitStep(row.signals, row.ms), row.step) << row.what;
}

class QuitSignalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    useScreenlessSdl();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
};

TEST_F(QuitSignalsTest, FirstSignalIsACloseRequestWhereInputIsRead) {
  for (int sig : {SIGTERM, SIGINT}) {
    SdlDesktop backend;
    ASSERT_TRUE(backend.createWindow("Demo", ScreenRect{0, 0, 320, 240}));
    InputEvent event;
    while (backend.pollEvent(event)) {
    }
    std::raise(sig);
    backend.waitForEvent(200);
    ASSERT_TRUE(backend.pollEvent(event)) << sig;
    EXPECT_EQ(event.kind, InputKind::CloseRequest) << sig;
  }
}

TEST_F(QuitSignalsTest, ProgramThatReadsNoInputEndsAfterTheGraceWithTheCloseStatus) {
  EXPECT_EXIT(
      {
        SdlDesktop backend;
        backend.createWindow("Demo", ScreenRect{0, 0, 320, 240});
        const uint64_t sent_ms = backend.nowMs();
        std::raise(SIGTERM);
        // Busy as in a long sound: no input read. Failing to end within a second is an error.
        while (backend.nowMs() - sent_ms < 1000) backend.sleepMs(10);
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zorva::platform
