// The model clip's conversion: the input is 8 bytes of clip offset and length (little-endian)
// followed by the data file that holds the clip; the clip is built from that file and played.
#include <cstddef>
#include <cstdint>

#include "audio/Aiff.h"
#include "tests/fuzz/FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorva::fuzz;
  InputScope scope;
  InputReader in({data, size});
  const LONG offset = static_cast<LONG>(in.u32());
  const LONG length = static_cast<LONG>(in.u32());
  writeDataFile("CLIP.PGE", in.rest());
  CFile file;
  if (!file.Open("ZORVADAT\\CLIP.PGE", CFile::modeRead)) return 0;
  try {
    CAIFF clip(file, offset, length);
    clip.Play();
  } catch (CFileException* e) {
    // A seek the file refuses is the page loader's to handle; it leaves nothing behind.
    e->Delete();
  }
  return 0;
}
