// Start-up to the title picture on the screen: Zorva beside the minimal SDL2 window, started
// in turn on the X display in DISPLAY, each timed from fork to the first moment the screen
// shows the title colour on a probe row.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchBook.h"
#include "bench/BenchTiming.h"

using namespace zorva::bench;

namespace {

constexpr int kProbeRow = 300;
constexpr double kGiveUpMicros = 10e6;

bool titleShown(Display* display, Window root, int width) {
  XImage* image = XGetImage(display, root, 0, kProbeRow, static_cast<unsigned>(width), 1, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  bool seen = false;
  for (int x = 0; x < width && !seen; ++x) {
    const unsigned long p = XGetPixel(image, x, 0);
    seen = ((p >> 16) & 0xFF) == kTitleRed && ((p >> 8) & 0xFF) == kTitleGreen && (p & 0xFF) == kTitleBlue;
  }
  XDestroyImage(image);
  return seen;
}

// Microseconds from starting `program` to its window showing the title colour; -1 on failure.
double timeToTitle(Display* display, const std::string& program) {
  Window root = DefaultRootWindow(display);
  const int width = DisplayWidth(display, DefaultScreen(display));
  const double start = nowMicros();
  const pid_t child = fork();
  if (child == 0) {
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  double shown = -1;
  while (nowMicros() - start < kGiveUpMicros) {
    if (titleShown(display, root, width)) {
      shown = nowMicros() - start;
      break;
    }
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) return -1;
    usleep(300);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  // The next start begins on an empty screen.
  while (titleShown(display, root, width)) usleep(1000);
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ZORVA MINIMAL-WINDOW (with DISPLAY set; BENCH_TURNS=n for other than 15 turns)\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "startup bench: no X display\n");
    return 2;
  }
  const std::string zorva = std::filesystem::absolute(argv[1]).string();
  const std::string minimal = std::filesystem::absolute(argv[2]).string();
  BenchFolder folder;  // Zorva reads ZORVADAT from the current folder
  std::vector<double> mine, anchor;
  const int turns = std::getenv("BENCH_TURNS") != nullptr ? std::atoi(std::getenv("BENCH_TURNS")) : 15;
  for (int turn = 0; turn < turns; ++turn) {
    const double a = timeToTitle(display, minimal);
    const double z = timeToTitle(display, zorva);
    if (a < 0 || z < 0) {
      std::fprintf(stderr, "startup bench: a program did not show its window\n");
      return 1;
    }
    anchor.push_back(a);
    mine.push_back(z);
  }
  printFigure("start-up", median(mine) / 1000, "ms", "minimal SDL2 window", median(anchor) / 1000, 1.3);
  XCloseDisplay(display);
  return 0;
}
