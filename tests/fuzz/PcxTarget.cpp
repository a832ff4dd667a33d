// The PCX decoder, through the picture element: the input is the picture's bytes, loaded from
// a data file, drawn on a small surface (placed as a page picture, so its top rows are cut off
// and large pictures are clipped) and erased.
#include <cstddef>
#include <cstdint>

#include "elements/Image.h"
#include "elements/PcxDecoder.h"
#include "tests/fuzz/FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorva::fuzz;
  InputScope scope;
  const std::span<const uint8_t> bytes(data, size);
  zorva::elements::decodePcx(bytes);

  writeDataFile("PICTURE.DAT", bytes);
  CFile file;
  if (!file.Open("ZORVADAT\\PICTURE.DAT", CFile::modeRead)) return 0;
  ViewSurface view(320, 200);
  CImage image;
  CRect place(110, -20, 110, -20);
  image.Load(file, &place, 0, static_cast<DWORD>(size));
  image.Draw(&view.dc);
  image.Erase(&view.dc);
  image.Show(&view.dc);
  return 0;
}
