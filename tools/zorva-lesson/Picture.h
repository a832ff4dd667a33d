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

// A laid-out text picture and where each of its lines lies, in picture coordinates.
struct TextPage {
  RgbaImage image;
  std::vector<PictureRect> line_boxes;
};

RgbaImage loadImageFile(const std::string& path, const SourceRef& where);
TextPage layOutText(const std::vector<std::string>& lines, int width, int height, const SourceRef& where);
lessonkit::IndexedPicture quantise(const RgbaImage& image);

}  // namespace zorva::builder
