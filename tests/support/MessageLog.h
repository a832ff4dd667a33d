// What window procedures were sent, in order, and one check of the log against a table of
// expected rows ending in {0}; a mismatch prints the expected rows against the logged ones.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/user/WinUser.h"

namespace zorva::testing {

struct LoggedMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// What a row checks besides the message.
enum : unsigned { CheckWindow = 1, CheckWParam = 2, CheckLParam = 4 };

struct ExpectedMessage {
  UINT message;
  unsigned checks = 0;
  HWND hwnd = nullptr;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// The one log the test's window procedures write to; tests clear it before the steps they check.
std::vector<LoggedMessage>& messageLog();

// Logs the message, then leaves it to DefWindowProcA.
LRESULT CALLBACK loggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The log holds exactly the rows of `expected` (ended by a row of message 0), in order.
::testing::AssertionResult LogMatches(const ExpectedMessage* expected);

}  // namespace zorva::testing
