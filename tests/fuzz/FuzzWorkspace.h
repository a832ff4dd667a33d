// What every fuzz target shares: a private working folder (the program looks for ZORVADAT in
// the current directory), a fresh headless desktop per input so message boxes and beeps do not
// pile up over millions of runs, and a screen-compatible surface to draw on.
#pragma once

#include <afxwin.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zorva::fuzz {

// Makes the working folder on first use and enters it (so the fuzzer must be given absolute
// paths); installs a fresh headless backend.
void beginInput();

// Writes ZORVADAT/<name> in the working folder.
void writeDataFile(const std::string& name, std::span<const uint8_t> bytes);
void removeDataFile(const std::string& name);

// A memory DC over a view-sized bitmap, made anew for each input. The bitmap outlives the DC
// it is selected into.
class ViewSurface {
 private:
  CBitmap bitmap_;

 public:
  ViewSurface(int width = 1024, int height = 716);
  CDC dc;
};

// Little-endian fields taken from the front of an input; zero once the input runs out.
class InputReader {
 public:
  explicit InputReader(std::span<const uint8_t> data) : data_(data) {}
  uint8_t byte();
  uint32_t u32();
  std::span<const uint8_t> rest() const { return data_.subspan(at_); }

 private:
  std::span<const uint8_t> data_;
  size_t at_ = 0;
};

}  // namespace zorva::fuzz
