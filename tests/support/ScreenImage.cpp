#include "tests/support/ScreenImage.h"

#include <png.h>

#include "platform/backend/PixelHoldingDesktop.h"
#include "tests/support/Desktop.h"

namespace zorva::testing {

uint64_t ScreenImage::hash() const {
  uint64_t h = 14695981039346656037ull;
  auto mix = [&h](uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
      h ^= (value >> shift) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  mix(static_cast<uint32_t>(width));
  mix(static_cast<uint32_t>(height));
  for (uint32_t p : pixels) mix(p);
  return h;
}

bool ScreenImage::writePng(const std::filesystem::path& path) const {
  std::vector<png_byte> rgb;
  rgb.reserve(pixels.size() * 3);
  for (uint32_t c : pixels) {  // 0x00BBGGRR
    rgb.push_back(static_cast<png_byte>(c & 0xFF));
    rgb.push_back(static_cast<png_byte>((c >> 8) & 0xFF));
    rgb.push_back(static_cast<png_byte>((c >> 16) & 0xFF));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

ScreenImage clientImage(Desktop& desktop, HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  ScreenImage image;
  image.width = client.right - client.left;
  image.height = client.bottom - client.top;
  image.pixels.reserve(static_cast<size_t>(image.width) * image.height);
  const POINT origin = desktop.contentPoint(window, 0, 0);
  platform::showHeldPixels();  // the screen as the learner sees it once the program next waits
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      image.pixels.push_back(desktop.backend().contentPixel(origin.x + x, origin.y + y));
  return image;
}

}  // namespace zorva::testing
