#include "tests/support/MessageLog.h"

#include <algorithm>
#include <sstream>

namespace zorva::testing {
namespace {

bool rowMatches(const ExpectedMessage& want, const LoggedMessage& got) {
  return want.message == got.message && (want.hwnd == nullptr || want.hwnd == got.hwnd) &&
         (!want.wParam || *want.wParam == got.wParam) &&
         (!want.lParam || *want.lParam == got.lParam);
}

bool passes(const LogFilter& only, const LoggedMessage& m) {
  return (only.window == nullptr || only.window == m.hwnd) &&
         (only.messages.empty() ||
          std::find(only.messages.begin(), only.messages.end(), m.message) != only.messages.end());
}

template <typename Value>
void printParam(std::ostream& out, const char* name, const std::optional<Value>& v) {
  out << " " << name << "=";
  if (v) out << "0x" << *v;
  else out << "any";
}

void print(std::ostream& out, const ExpectedMessage& m) {
  out << "  0x" << std::hex << m.message << " to ";
  if (m.hwnd != nullptr) out << m.hwnd;
  else out << "any";
  printParam(out, "w", m.wParam);
  printParam(out, "l", m.lParam);
  out << std::dec << "\n";
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

::testing::AssertionResult LogMatches(const ExpectedMessage* expected, const LogFilter& only) {
  std::vector<LoggedMessage> log;
  for (const LoggedMessage& m : messageLog())
    if (passes(only, m)) log.push_back(m);
  size_t n = 0;
  bool same = true;
  for (; expected[n].message != 0; ++n)
    same = same && n < log.size() && rowMatches(expected[n], log[n]);
  if (same && n == log.size()) return ::testing::AssertionSuccess();
  std::ostringstream out;
  out << "expected:\n";
  for (size_t i = 0; i < n; ++i) print(out, expected[i]);
  out << "logged:\n";
  for (const LoggedMessage& m : log) print(out, {m.message, m.wParam, m.lParam, m.hwnd});
  return ::testing::AssertionFailure() << out.str();
}

}  // namespace zorva::testing
