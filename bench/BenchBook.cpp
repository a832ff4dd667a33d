#include "bench/BenchBook.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace zorva::bench {
namespace {

constexpr int kWidth = 750, kHeight = 700;
constexpr uint8_t kPaper = 0, kInk = 1;

// A fixed sequence, so every run decodes the same bytes.
struct Lcg {
  uint32_t state = 12345;
  uint32_t next() { return state = state * 1664525u + 1013904223u; }
  int below(int n) { return static_cast<int>((next() >> 8) % static_cast<uint32_t>(n)); }
};

// Lines of "words": letters of two-pixel strokes, a bar at their top, middle or foot, so a
// text row is short runs of paper between single ink bytes and short ink runs.
void textLines(lessonkit::IndexedPicture& p, Lcg& r, int top, int bottom, int left, int right) {
  for (int line = top; line + 14 <= bottom; line += 22) {
    int x = left;
    while (x < right - 60) {
      const int letters = 2 + r.below(8);
      for (int l = 0; l < letters; ++l) {
        const int w = 5 + r.below(4);
        const int bar = line + 2 + r.below(3) * 5;
        for (int y = line + 2; y < line + 14; ++y) {
          p.at(x, y) = kInk;
          p.at(x + 1, y) = kInk;
          if (y == bar || y == bar + 1)
            for (int i = 2; i < w; ++i) p.at(x + i, y) = kInk;
        }
        x += w + 2;
      }
      x += 6;
    }
  }
}

// A shaded picture: bands of colour a few pixels wide with grain, most bytes literals.
void illustration(lessonkit::IndexedPicture& p, Lcg& r, int left, int top, int w, int h) {
  for (int y = top; y < top + h; ++y)
    for (int x = left; x < left + w; ++x)
      p.at(x, y) = static_cast<uint8_t>(16 + ((x - left) / 3 + (y - top) / 4 + (r.below(8) == 0)) % 180);
}

}  // namespace

lessonkit::IndexedPicture bookPagePicture() {
  lessonkit::IndexedPicture p = lessonkit::IndexedPicture::filled(kWidth, kHeight, kPaper);
  p.setColour(kPaper, 255, 255, 255);
  p.setColour(kInk, 20, 20, 30);
  for (int i = 2; i < 256; ++i) p.setColour(static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7));
  Lcg r;
  textLines(p, r, 40, 300, 40, 710);
  illustration(p, r, 60, 320, 330, 240);
  textLines(p, r, 320, 560, 410, 710);
  textLines(p, r, 580, 680, 40, 710);
  // A coloured heading bar: long runs of one index.
  for (int y = 8; y < 30; ++y)
    for (int x = 40; x < 710; ++x) p.at(x, y) = 200;
  return p;
}

lessonkit::Book benchBook() {
  lessonkit::Book book;
  book.title = lessonkit::IndexedPicture::filled(600, 500, 1);
  book.title.setColour(1, kTitleRed, kTitleGreen, kTitleBlue);
  lessonkit::Page page;
  page.file_name = "14101.pge";
  page.info = "Lesson 1 - page 1";
  page.picture = bookPagePicture();
  Lcg r;
  for (int i = 0; i < 8; ++i) {
    lessonkit::Item item;
    item.audio = {150, 40 + 60 * i, 700, 90 + 60 * i};
    item.role = {130, 40 + 60 * i, 145, 90 + 60 * i};
    item.name = "sentence";
    // 1 to 3 s of a voiced sound with grain, at 22,050 Hz.
    const int samples = 22050 + i * 22050 * 2 / 7;
    item.samples.resize(static_cast<size_t>(samples));
    for (int s = 0; s < samples; ++s)
      item.samples[static_cast<size_t>(s)] = static_cast<int16_t>(
          6000.0 * std::sin(s * 0.07 * (1 + i % 3)) + r.below(2000) - 1000);
    page.items.push_back(item);
  }
  book.pages.push_back(page);
  return book;
}

BenchFolder::BenchFolder() : previous_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "zorva-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  root_ = pattern;
  lessonkit::writeFolder(lessonkit::buildFolder(benchBook()), root_);
  std::filesystem::current_path(root_);
}

BenchFolder::~BenchFolder() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path BenchFolder::pageFile() const {
  return root_ / lessonkit::kDataFolderName / "14101.pge";
}

}  // namespace zorva::bench
