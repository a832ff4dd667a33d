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

builder::RgbaImage scaledToWidth(const builder::RgbaImage& image, int width) {
  const double scale = static_cast<double>(width) / image.width;
  builder::RgbaImage out;
  out.width = width;
  out.height = std::max(1, static_cast<int>(std::lround(image.height * scale)));
  out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
  const auto span = [&](int i, int limit) {
    const int first = std::min(limit - 1, static_cast<int>(i / scale));
    return std::pair{first, std::max(first + 1, std::min(limit, static_cast<int>((i + 1) / scale)))};
  };
  for (int y = 0; y < out.height; ++y) {
    const auto [y0, y1] = span(y, image.height);
    for (int x = 0; x < out.width; ++x) {
      const auto [x0, x1] = span(x, image.width);
      int sum[4] = {0, 0, 0, 0};
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx)
          for (int c = 0; c < 4; ++c) sum[c] += image.rgba[(static_cast<size_t>(sy) * image.width + sx) * 4 + c];
      const int count = (y1 - y0) * (x1 - x0);
      for (int c = 0; c < 4; ++c)
        out.rgba[(static_cast<size_t>(y) * out.width + x) * 4 + c] = static_cast<uint8_t>(sum[c] / count);
    }
  }
  return out;
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
