#include "tests/support/MessageLog.h"

#include <sstream>

namespace zorva::testing {
namespace {

bool rowMatches(const ExpectedMessage& want, const LoggedMessage& got) {
  return want.message == got.message && (!(want.checks & CheckWindow) || want.hwnd == got.hwnd) &&
         (!(want.checks & CheckWParam) || want.wParam == got.wParam) &&
         (!(want.checks & CheckLParam) || want.lParam == got.lParam);
}

void print(std::ostream& out, const LoggedMessage& m) {
  out << "  0x" << std::hex << m.message << " to " << m.hwnd << " w=0x" << m.wParam << " l=0x"
      << m.lParam << std::dec << "\n";
}

}  // namespace

std::vector<LoggedMessage>& messageLog() {
  static std::vector<LoggedMessage> log;
  return log;
}

LRESULT CALLBACK loggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  messageLog().push_back({hwnd, message, wParam, lParam});
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

::testing::AssertionResult LogMatches(const ExpectedMessage* expected) {
  const std::vector<LoggedMessage>& log = messageLog();
  size_t n = 0;
  bool same = true;
  for (; expected[n].message != 0; ++n)
    same = same && n < log.size() && rowMatches(expected[n], log[n]);
  if (same && n == log.size()) return ::testing::AssertionSuccess();
  std::ostringstream out;
  out << "expected:\n";
  for (size_t i = 0; i < n; ++i)
    print(out, LoggedMessage{expected[i].hwnd, expected[i].message, expected[i].wParam,
                             expected[i].lParam});
  out << "logged:\n";
  for (const LoggedMessage& m : log) print(out, m);
  return ::testing::AssertionFailure() << out.str();
}

}  // namespace zorva::testing
