// The page picture a proposal is made from: a scan (PNG, JPEG) or a page of a PDF rendered at
// 150 dpi, and the copy that the lesson shows, at most as wide as the page area of Zorva's view.
#pragma once

#include <string>

#include "tools/zorva-lesson/Picture.h"

namespace zorva::propose {

// The width of the page area right of Zorva's buttons: a wider picture would be cut off.
constexpr int kShownPageWidth = 740;
constexpr int kPdfDpi = 150;

// Whether the file starts as a PDF does, whatever its name.
bool isPdfFile(const std::string& path);

builder::RgbaImage renderPdfPage(const std::string& pdf_path, int page_number);

// Averages the pixels each new pixel covers.
builder::RgbaImage scaledToWidth(const builder::RgbaImage& image, int width);

void savePng(const builder::RgbaImage& image, const std::string& path);
// `quality` from 0 to 100, as the JPEG encoder takes it.
void saveJpeg(const builder::RgbaImage& image, const std::string& path, int quality);

}  // namespace zorva::propose
