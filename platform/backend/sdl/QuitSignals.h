// Ending on SIGTERM and SIGINT (the user logs out or shuts down, Ctrl+C in a terminal) as
// closing the window would, in every state of the program.
//
// The first signal is handed to the program as a close request through the event queue, so
// the window closes the normal way wherever the program reads its input. Where it cannot read
// input soon enough (a message box's own loop, a sound playing, a modal dialog that leaves the
// frame disabled), the program ends after a short grace: nothing it holds outlives it, since it
// writes no files. A second signal ends it at once.
#pragma once

#include <cstdint>
#include <thread>

namespace zorva::platform {

constexpr uint64_t kCloseGraceMs = 500;

enum class QuitStep { GoOn, WaitForClose, EndNow };

// What to do `ms_since_first` after the first of `signals` quit signals arrived.
QuitStep quitStep(int signals, uint64_t ms_since_first);

// Takes SIGTERM and SIGINT for the life of the object (SDL's own handlers must be off).
class QuitSignals {
 public:
  // `ask_to_close` is called on a thread of its own when the first signal arrives; it must be
  // safe there (SDL_PushEvent is).
  explicit QuitSignals(void (*ask_to_close)());
  ~QuitSignals();
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 private:
  void watch();

  void (*ask_to_close_)();
  int pipe_[2] = {-1, -1};
  std::thread watcher_;
};

}  // namespace zorva::platform
