// Pictures for the book: a PNG/JPEG file or lines of text laid out by the builder, quantised to
// 256 colours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/lessonkit/Pcx.h"
#include "tools/zorva-lesson/LessonDescription.h"

namespace zorva::builder {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // 4 bytes a pixel, rows top first
};

// Where a laid-out line lies, in picture coordinates, and which way it reads.
struct TextLine {
  PictureRect box;  // empty for an empty line
  bool right_to_left = false;
};

struct TextPage {
  RgbaImage image;
  std::vector<TextLine> lines;
};

// Draws a small speaker where the learner chooses a role, clear of the area's right-most
// column, where Zorva marks a chosen role.
void drawRoleMark(RgbaImage& image, const PictureRect& area);

// Throws BuildError naming `what`, its size and the limits when a picture of width x height
// pixels is more than the builder takes.
void requirePictureSize(int64_t width, int64_t height, const std::string& what, const SourceRef& where);
// The same for the picture file in `bytes`, from its header alone, before anything is decoded.
void requirePictureHeaderSize(const uint8_t* bytes, size_t size, const std::string& what, const SourceRef& where);

// Reads a picture file of a bounded size (see InputLimits.h).
RgbaImage loadImageFile(const std::string& path, const SourceRef& where);
TextPage layOutText(const std::vector<std::string>& lines, int width, int height, const SourceRef& where,
                    const TextStyle& style = {});
lessonkit::IndexedPicture quantise(const RgbaImage& image);

// The Debian font package to suggest for a character no installed font has, one that covers
// its script: fonts-noto-cjk for Chinese, Japanese and Korean, fonts-thai-tlwg for Thai,
// fonts-noto-color-emoji for emoji, fonts-noto-core for the other scripts.
std::string fontPackageFor(char32_t character);

}  // namespace zorva::builder
