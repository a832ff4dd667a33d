#include "platform/backend/sdl/QuitSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>

namespace zorva::platform {
namespace {

constexpr char kSignalled = 'Q';
constexpr char kStop = 'S';
constexpr int kEndStatus = 0;  // as when the window is closed

int g_write_end = -1;

void onQuitSignal(int) {
  const int saved = errno;
  if (g_write_end >= 0) {
    const ssize_t written = ::write(g_write_end, &kSignalled, 1);
    (void)written;
  }
  errno = saved;
}

// SDL shows its message boxes from a child process; the child goes with us, or the box would
// stay on the screen after the program ended.
void endWithParent() {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
}

uint64_t nowMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

QuitStep quitStep(int signals, uint64_t ms_since_first) {
  if (signals <= 0) return QuitStep::GoOn;
  if (signals >= 2 || ms_since_first >= kCloseGraceMs) return QuitStep::EndNow;
  return QuitStep::WaitForClose;
}

QuitSignals::QuitSignals(void (*ask_to_close)()) : ask_to_close_(ask_to_close) {
  if (::pipe2(pipe_, O_CLOEXEC) != 0) return;
  g_write_end = pipe_[1];
  static const bool fork_handler = [] { return ::pthread_atfork(nullptr, nullptr, endWithParent) == 0; }();
  (void)fork_handler;
  struct sigaction action {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
  watcher_ = std::thread([this] { watch(); });
}

QuitSignals::~QuitSignals() {
  if (pipe_[1] < 0) return;
  ::signal(SIGTERM, SIG_DFL);
  ::signal(SIGINT, SIG_DFL);
  g_write_end = -1;
  const ssize_t written = ::write(pipe_[1], &kStop, 1);
  (void)written;
  if (watcher_.joinable()) watcher_.join();
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void QuitSignals::watch() {
  int signals = 0;
  uint64_t first_ms = 0;
  for (;;) {
    int timeout_ms = -1;
    if (signals > 0) {
      const uint64_t since = nowMs() - first_ms;
      timeout_ms = since >= kCloseGraceMs ? 0 : static_cast<int>(kCloseGraceMs - since);
    }
    pollfd fd{pipe_[0], POLLIN, 0};
    if (::poll(&fd, 1, timeout_ms) > 0) {
      char got = 0;
      if (::read(pipe_[0], &got, 1) == 1) {
        if (got == kStop) return;
        if (++signals == 1) {
          first_ms = nowMs();
          ask_to_close_();
        }
      }
    }
    if (quitStep(signals, nowMs() - first_ms) == QuitStep::EndNow) ::_exit(kEndStatus);
  }
}

}  // namespace zorva::platform
