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

// One input's run. Makes the working folder on first use and enters it (so the fuzzer must be
// given absolute paths); installs a fresh headless desktop with a 640 x 480 screen for the
// input, and removes it afterwards so that nothing allocated for the input outlives it (which
// libFuzzer would take for a leak to look into after every input).
class InputScope {
 public:
  InputScope();
  ~InputScope();
  InputScope(const InputScope&) = delete;
  InputScope& operator=(const InputScope&) = delete;
};

// The lesson description's name in the working folder, for the targets that read one.
inline constexpr const char* kDescriptionName = "lesson.toml";

// Writes ZORVADAT/<name> in the working folder.
void writeDataFile(const std::string& name, std::span<const uint8_t> bytes);
void removeDataFile(const std::string& name);

// A memory DC over a screen-sized bitmap, made anew for each input. The bitmap outlives the DC
// it is selected into.
class ViewSurface {
 private:
  CBitmap bitmap_;

 public:
  ViewSurface(int width = 640, int height = 480);
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

// Makes the rest of the input a data file, as its first byte chooses: odd, the start-up file
// DATA4.DAT (with no page); even, lesson 1's first page (with a good start-up file).
void writeStartupOrPage(InputReader& in);

}  // namespace zorva::fuzz
