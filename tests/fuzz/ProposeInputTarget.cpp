// What `propose` reads before anything else: the first input byte chooses how the rest is taken
// (0: a picture file, 1: a PDF, 2: a sound file), and it is measured from its header and read
// within the bounds, or refused with a BuildError.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "tests/fuzz/FuzzWorkspace.h"
#include "tools/zorva-lesson/Sound.h"
#include "tools/zorva-lesson/propose/PagePicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorva;
  fuzz::InputScope scope;
  fuzz::InputReader in({data, size});
  const uint8_t kind = in.byte() % 3;
  const std::string name = kind == 0 ? "page.png" : kind == 1 ? "page.pdf" : "page.wav";
  std::ofstream(name, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(in.rest().data()), static_cast<std::streamsize>(in.rest().size()));
  try {
    if (kind == 0) builder::loadImageFile(name, builder::SourceRef{name, 0});
    if (kind == 1) propose::renderPdfPage(name, 1);
    if (kind == 2) builder::loadSoundFile(name, builder::SourceRef{name, 0});
  } catch (const builder::BuildError&) {
  }
  return 0;
}
