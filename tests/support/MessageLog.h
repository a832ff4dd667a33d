// What window procedures were sent, in order, and one check of the log against a table of
// expected {message, wParam, lParam} rows ending in {0}; a mismatch prints the expected rows
// against the logged ones.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/win32/user/WinUser.h"

namespace zorva::testing {

struct LoggedMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// A parameter left out matches any value; a window left out, any window.
struct ExpectedMessage {
  UINT message;
  std::optional<WPARAM> wParam = std::nullopt;
  std::optional<LPARAM> lParam = std::nullopt;
  HWND hwnd = nullptr;
};

inline const ExpectedMessage kNoMessages[] = {{0}};

// Which logged messages a check compares: those to `window` (any when null) among `messages`
// (all when empty).
struct LogFilter {
  std::vector<UINT> messages = {};
  HWND window = nullptr;
};

// The one log the test's window procedures write to; tests clear it before the steps they check.
std::vector<LoggedMessage>& messageLog();

// Logs the message, then leaves it to DefWindowProcA.
LRESULT CALLBACK loggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The log, as far as `only` lets through, holds exactly the rows of `expected`, in order.
::testing::AssertionResult LogMatches(const ExpectedMessage* expected, const LogFilter& only = {});

}  // namespace zorva::testing
