// A copy of what a window shows on the headless screen, a hash that names it in tables of
// expected screens, and a PNG writer so that a person can look at it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/win32/user/WinUser.h"

namespace zorva::testing {

class Desktop;

struct ScreenImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // COLORREF values, rows from the top

  // FNV-1a over the size and every pixel: one pixel changed anywhere gives another hash.
  uint64_t hash() const;
  // An 8-bit RGB PNG; false when the file cannot be written.
  bool writePng(const std::filesystem::path& path) const;
};

// The client area of `window` as last presented on the desktop.
ScreenImage clientImage(Desktop& desktop, HWND window);

}  // namespace zorva::testing
