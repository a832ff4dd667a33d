#include <SDL.h>
#include <SDL_image.h>
#include <leptonica/allheaders.h>
#include <libimagequant.h>

#include <cstring>

#include "tools/zorva-lesson/FileBytes.h"
#include "tools/zorva-lesson/InputLimits.h"
#include "tools/zorva-lesson/Picture.h"

namespace zorva::builder {

void requirePictureSize(int64_t width, int64_t height, const std::string& what, const SourceRef& where) {
  if (width > 0 && height > 0 && width <= kMaxPictureSidePx && height <= kMaxPictureSidePx &&
      width * height <= kMaxPicturePixels) {
    return;
  }
  throw BuildError(where, what + " is " + std::to_string(width) + "x" + std::to_string(height) +
                              " pixels; a picture may have at most " + std::to_string(kMaxPictureSidePx) +
                              " pixels a side and " + std::to_string(kMaxPicturePixels / 1'000'000) +
                              " million pixels in all");
}

void requirePictureHeaderSize(const uint8_t* bytes, size_t size, const std::string& what, const SourceRef& where) {
  l_int32 format = 0, width = 0, height = 0, bits = 0, samples = 0, colormap = 0;
  const l_int32 severity = setMsgSeverity(L_SEVERITY_NONE);  // the reason is said here, once
  const l_ok failed = pixReadHeaderMem(bytes, size, &format, &width, &height, &bits, &samples, &colormap);
  setMsgSeverity(severity);
  if (failed != 0) {
    throw BuildError(where, "can't read the size of " + what +
                                " from its header (PNG, JPEG, GIF, BMP, TIFF, WebP and PNM pictures are read)");
  }
  requirePictureSize(width, height, what, where);
}

RgbaImage loadImageFile(const std::string& path, const SourceRef& where) {
  std::string why;
  const std::optional<FileBytes> file = FileBytes::read(path, kMaxDataFileBytes, why);
  if (!file) throw BuildError(where, "can't read picture " + path + ": it " + why);
  requirePictureHeaderSize(file->bytes().data(), file->bytes().size(), "picture " + path, where);
  SDL_RWops* source = SDL_RWFromConstMem(file->bytes().data(), static_cast<int>(file->bytes().size()));
  SDL_Surface* loaded = source == nullptr ? nullptr : IMG_Load_RW(source, 1);
  if (loaded == nullptr) throw BuildError(where, "can't read picture " + path + ": " + IMG_GetError());
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);  // bytes R,G,B,A
  SDL_FreeSurface(loaded);
  if (rgba == nullptr) throw BuildError(where, "can't convert picture " + path);
  RgbaImage image;
  image.width = rgba->w;
  image.height = rgba->h;
  image.rgba.resize(static_cast<size_t>(rgba->w) * rgba->h * 4);
  for (int y = 0; y < rgba->h; ++y) {
    std::memcpy(&image.rgba[static_cast<size_t>(y) * rgba->w * 4],
                static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                static_cast<size_t>(rgba->w) * 4);
  }
  SDL_FreeSurface(rgba);
  return image;
}

lessonkit::IndexedPicture quantise(const RgbaImage& image) {
  lessonkit::IndexedPicture out;
  out.width = image.width;
  out.height = image.height;
  out.pixels.resize(static_cast<size_t>(image.width) * image.height);
  liq_attr* attr = liq_attr_create();
  liq_set_max_colors(attr, 256);
  liq_image* input = liq_image_create_rgba(attr, image.rgba.data(), image.width, image.height, 0);
  liq_result* result = nullptr;
  if (input == nullptr || liq_image_quantize(input, attr, &result) != LIQ_OK) {
    if (input != nullptr) liq_image_destroy(input);
    liq_attr_destroy(attr);
    throw BuildError("picture quantisation failed");
  }
  liq_set_dithering_level(result, 0.5f);
  liq_write_remapped_image(result, input, out.pixels.data(), out.pixels.size());
  const liq_palette* palette = liq_get_palette(result);
  for (unsigned i = 0; i < palette->count && i < 256; ++i) {
    // Transparent parts of a picture show on the page's white.
    const liq_color c = palette->entries[i];
    const auto over_white = [&](uint8_t v) { return static_cast<uint8_t>((v * c.a + 255 * (255 - c.a)) / 255); };
    out.palette[i * 3] = over_white(c.r);
    out.palette[i * 3 + 1] = over_white(c.g);
    out.palette[i * 3 + 2] = over_white(c.b);
  }
  liq_result_destroy(result);
  liq_image_destroy(input);
  liq_attr_destroy(attr);
  return out;
}

}  // namespace zorva::builder
