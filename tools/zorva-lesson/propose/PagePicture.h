// The page picture a proposal is made from: a scan (PNG, JPEG) or a page of a PDF rendered at
// 150 dpi, and the copy that the lesson shows, as large as the page area of Zorva's view at most.
#pragma once

#include <string>

#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/Picture.h"

namespace zorva::propose {

// The width propose gives a page, that of the page area right of Zorva's buttons, and the
// height the builder takes at most.
constexpr int kShownPageWidth = 740;
constexpr int kShownPageHeight = builder::kPageHeightPx;
static_assert(kShownPageWidth <= builder::kPageWidthPx);
constexpr int kPdfDpi = 150;

// Whether the file starts as a PDF does, whatever its name.
bool isPdfFile(const std::string& path);

builder::RgbaImage renderPdfPage(const std::string& pdf_path, int page_number);

// The page as the lesson shows it. A picture that fits the page area once at its width is shown
// so, whole; a taller one (a whole A4 page) is trimmed to its print and scaled into the area,
// below the rows that Zorva's view hides above the page.
struct ShownPage {
  builder::RgbaImage image;
  builder::PictureRect taken;  // the part of the picture read that is shown
  double scale = 1;
  int top = 0;  // the shown part's first row

  // `read` (on the picture read) on the shown picture, grown by `margin` and kept on it.
  builder::PictureRect shownArea(const builder::PictureRect& read, int margin) const;
};

ShownPage shownPage(const builder::RgbaImage& read);

void savePng(const builder::RgbaImage& image, const std::string& path);
// `quality` from 0 to 100, as the JPEG encoder takes it.
void saveJpeg(const builder::RgbaImage& image, const std::string& path, int quality);

}  // namespace zorva::propose
