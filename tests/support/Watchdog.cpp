#include "tests/support/Watchdog.h"

#include <signal.h>
#include <unistd.h>

#include <cstring>

namespace zorva::testing {

namespace {

char g_message[256];  // written before the alarm is set, read only by the handler

void onAlarm(int) {
  ssize_t ignored = write(STDERR_FILENO, g_message, std::strlen(g_message));
  (void)ignored;
  _exit(1);
}

}  // namespace

Watchdog::Watchdog(unsigned seconds, const std::string& what) {
  const std::string message =
      "watchdog: still going after " + std::to_string(seconds) + " s: " + what + "\n";
  std::strncpy(g_message, message.c_str(), sizeof g_message - 1);
  struct sigaction action {};
  action.sa_handler = onAlarm;
  sigaction(SIGALRM, &action, nullptr);
  alarm(seconds);
}

Watchdog::~Watchdog() { alarm(0); }

}  // namespace zorva::testing
