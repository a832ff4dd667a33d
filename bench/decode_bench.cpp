// PCX decode of a 750 x 700 page picture: Zorva's decoder beside SDL2_image's PCX loader and a
// plain copy of the decoded pixels, in one run.
#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <memory>
#include <vector>

#include "bench/BenchBook.h"
#include "bench/BenchTiming.h"
#include "elements/PcxDecoder.h"

using namespace zorva::bench;

int main() {
  const zorva::lessonkit::Bytes pcx = zorva::lessonkit::encodePcx(bookPagePicture());
  const zorva::elements::PcxPicture once = zorva::elements::decodePcx(pcx);
  std::vector<uint8_t> copy(once.pixels.size());
  size_t sink = 0;
  const std::vector<double> m = medianMicros(
      301, {[&] {
              // As the picture decodes: straight into the buffer it keeps.
              std::unique_ptr<uint8_t[]> pixels;
              sink += static_cast<size_t>(zorva::elements::decodePcx(pcx, pixels).stride) + pixels[0];
            },
            [&] {
              SDL_Surface* s = IMG_LoadPCX_RW(SDL_RWFromConstMem(pcx.data(), static_cast<int>(pcx.size())));
              if (s != nullptr) sink += static_cast<size_t>(s->h);
              SDL_FreeSurface(s);
            },
            [&] {
              std::memcpy(copy.data(), once.pixels.data(), copy.size());
              sink += copy[sink % copy.size()];
            }});
  std::printf("# decode: %zu bytes of PCX, %zu bytes of pixels (%zu)\n", pcx.size(), once.pixels.size(), sink % 2);
  printFigure("decode/SDL2_image", m[0], "us", "SDL2_image PCX", m[1], 0.25);
  printFigure("decode/memcpy", m[0], "us", "memcpy of the pixels", m[2], 10);
  return 0;
}
