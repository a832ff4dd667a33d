// The data the benchmarks work on, made in code with the lessonkit: a 750 x 700 page picture
// with the mix of a printed book page (white margins and paper as long runs, lines of text as
// short runs and single pixels, a shaded illustration as literals) and 8 spoken clips of 1 to 3 s.
#pragma once

#include <filesystem>

#include "tools/lessonkit/Lessonkit.h"

namespace zorva::bench {

lessonkit::IndexedPicture bookPagePicture();
// The title picture is one colour that nothing else on the screen has, so a probe can tell
// when it is shown.
constexpr uint8_t kTitleRed = 0x12, kTitleGreen = 0x9A, kTitleBlue = 0x56;
lessonkit::Book benchBook();

// A temporary folder holding ZORVADAT for the book; the current directory for its life.
class BenchFolder {
 public:
  BenchFolder();
  ~BenchFolder();
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  std::filesystem::path pageFile() const;

 private:
  std::filesystem::path root_;
  std::filesystem::path previous_;
};

}  // namespace zorva::bench
