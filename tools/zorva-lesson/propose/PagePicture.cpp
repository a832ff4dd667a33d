#include "tools/zorva-lesson/propose/PagePicture.h"

#include <SDL.h>
#include <SDL_image.h>
#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-page-renderer.h>
#include <poppler/cpp/poppler-page.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>

namespace zorva::propose {

bool isPdfFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char start[5] = {};
  file.read(start, sizeof start);
  return file.gcount() == sizeof start && std::string(start, sizeof start) == "%PDF-";
}

builder::RgbaImage renderPdfPage(const std::string& pdf_path, int page_number) {
  std::unique_ptr<poppler::document> document(poppler::document::load_from_file(pdf_path));
  if (!document) throw builder::BuildError("can't read the PDF " + pdf_path);
  if (document->is_locked()) throw builder::BuildError("the PDF " + pdf_path + " is locked with a password");
  if (page_number < 1 || page_number > document->pages()) {
    throw builder::BuildError("the PDF " + pdf_path + " has pages 1 to " + std::to_string(document->pages()) +
                              ", not " + std::to_string(page_number));
  }
  std::unique_ptr<poppler::page> page(document->create_page(page_number - 1));
  if (page) {
    // Measured before rendering: a few bytes of PDF can describe a page of any size.
    const poppler::rectf box = page->page_rect();
    const auto pixels = [](double points) { return std::llround(std::min(points, 1e9) * kPdfDpi / 72.0); };
    builder::requirePictureSize(pixels(box.width()), pixels(box.height()),
                                "page " + std::to_string(page_number) + " of " + pdf_path + " read at " +
                                    std::to_string(kPdfDpi) + " dots an inch",
                                builder::SourceRef{pdf_path, 0});
  }
  poppler::page_renderer renderer;
  renderer.set_render_hint(poppler::page_renderer::antialiasing);
  renderer.set_render_hint(poppler::page_renderer::text_antialiasing);
  renderer.set_image_format(poppler::image::format_argb32);
  const poppler::image rendered = page ? renderer.render_page(page.get(), kPdfDpi, kPdfDpi) : poppler::image();
  if (!rendered.is_valid())
    throw builder::BuildError("can't render page " + std::to_string(page_number) + " of " + pdf_path);
  builder::RgbaImage image;
  image.width = rendered.width();
  image.height = rendered.height();
  image.rgba.resize(static_cast<size_t>(image.width) * image.height * 4);
  for (int y = 0; y < image.height; ++y) {
    const auto* row =
        reinterpret_cast<const uint8_t*>(rendered.const_data()) + static_cast<size_t>(y) * rendered.bytes_per_row();
    for (int x = 0; x < image.width; ++x) {
      uint8_t* out = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
      // Poppler's 32-bit pixels are B, G, R, A in memory; a page's paper shows white.
      const int a = row[x * 4 + 3];
      for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>(row[x * 4 + 2 - c] + (255 - a));
      out[3] = 255;
    }
  }
  return image;
}

namespace {

constexpr int kInkLevel = 160;     // darker than this in the picture read is print
constexpr int kPrintMarginPx = 8;  // paper kept around the print, in the picture read

// Averages the pixels each new pixel covers.
builder::RgbaImage scaled(const builder::RgbaImage& image, const builder::PictureRect& part, int width, int height) {
  const double sx = static_cast<double>(width) / (part.right - part.left);
  const double sy = static_cast<double>(height) / (part.bottom - part.top);
  builder::RgbaImage out{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
  const auto span = [](int i, double scale, int first, int limit) {
    const int from = std::min(limit - 1, first + static_cast<int>(i / scale));
    return std::pair{from, std::max(from + 1, std::min(limit, first + static_cast<int>((i + 1) / scale)))};
  };
  for (int y = 0; y < height; ++y) {
    const auto [y0, y1] = span(y, sy, part.top, part.bottom);
    for (int x = 0; x < width; ++x) {
      const auto [x0, x1] = span(x, sx, part.left, part.right);
      int sum[4] = {0, 0, 0, 0};
      for (int py = y0; py < y1; ++py)
        for (int px = x0; px < x1; ++px)
          for (int c = 0; c < 4; ++c) sum[c] += image.rgba[(static_cast<size_t>(py) * image.width + px) * 4 + c];
      const int count = (y1 - y0) * (x1 - x0);
      for (int c = 0; c < 4; ++c)
        out.rgba[(static_cast<size_t>(y) * width + x) * 4 + c] = static_cast<uint8_t>(sum[c] / count);
    }
  }
  return out;
}

// The print's extent with a little paper around it; the whole picture when it holds no print.
builder::PictureRect printArea(const builder::RgbaImage& image) {
  builder::PictureRect print{image.width, image.height, 0, 0};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
      if (std::max({p[0], p[1], p[2]}) >= kInkLevel) continue;
      print = {std::min(print.left, x), std::min(print.top, y), std::max(print.right, x + 1),
               std::max(print.bottom, y + 1)};
    }
  if (print.right <= print.left) return builder::PictureRect{0, 0, image.width, image.height};
  return builder::PictureRect{std::max(0, print.left - kPrintMarginPx), std::max(0, print.top - kPrintMarginPx),
                              std::min(image.width, print.right + kPrintMarginPx),
                              std::min(image.height, print.bottom + kPrintMarginPx)};
}

}  // namespace

builder::PictureRect ShownPage::shownArea(const builder::PictureRect& read, int margin) const {
  const auto at = [&](int v, int from, int offset, int limit, auto round) {
    return std::clamp(static_cast<int>(round((v - from) * scale)) + offset, 0, limit);
  };
  const auto down = [](double v) { return std::floor(v); };
  const auto up = [](double v) { return std::ceil(v); };
  return builder::PictureRect{at(read.left, taken.left, -margin, image.width, down),
                              at(read.top, taken.top, top - margin, image.height, down),
                              at(read.right, taken.left, margin, image.width, up),
                              at(read.bottom, taken.top, top + margin, image.height, up)};
}

ShownPage shownPage(const builder::RgbaImage& read) {
  ShownPage shown;
  shown.taken = builder::PictureRect{0, 0, read.width, read.height};
  shown.scale = std::min(1.0, static_cast<double>(kShownPageWidth) / read.width);
  if (std::lround(read.height * shown.scale) > kShownPageHeight) {
    shown.taken = printArea(read);
    shown.top = -builder::kPageTopPx;
    const int width = shown.taken.right - shown.taken.left, height = shown.taken.bottom - shown.taken.top;
    shown.scale = std::min({1.0, static_cast<double>(kShownPageWidth) / width,
                            static_cast<double>(kShownPageHeight - shown.top) / height});
  }
  if (shown.scale == 1 && shown.top == 0) {
    shown.image = read;
    return shown;
  }
  const int width = std::max(1, static_cast<int>(std::lround((shown.taken.right - shown.taken.left) * shown.scale)));
  const int height = std::max(1, static_cast<int>(std::lround((shown.taken.bottom - shown.taken.top) * shown.scale)));
  const builder::RgbaImage part = scaled(read, shown.taken, width, height);
  shown.image = builder::RgbaImage{width, height + shown.top,
                                   std::vector<uint8_t>(static_cast<size_t>(width) * (height + shown.top) * 4, 255)};
  const auto below_hidden_rows = shown.image.rgba.begin() + static_cast<ptrdiff_t>(width) * shown.top * 4;
  std::copy(part.rgba.begin(), part.rgba.end(), below_hidden_rows);
  return shown;
}

namespace {

template <typename Save>
void saveWith(const builder::RgbaImage& image, const std::string& path, Save save) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(image.rgba.data()), image.width, image.height, 32,
                                         image.width * 4, SDL_PIXELFORMAT_ABGR8888);
  const bool saved = surface != nullptr && save(surface) == 0;
  SDL_FreeSurface(surface);
  if (!saved) throw builder::BuildError("can't write the picture " + path);
}

}  // namespace

void savePng(const builder::RgbaImage& image, const std::string& path) {
  saveWith(image, path, [&](SDL_Surface* surface) { return IMG_SavePNG(surface, path.c_str()); });
}

void saveJpeg(const builder::RgbaImage& image, const std::string& path, int quality) {
  saveWith(image, path, [&](SDL_Surface* surface) { return IMG_SaveJPG(surface, path.c_str(), quality); });
}

}  // namespace zorva::propose
