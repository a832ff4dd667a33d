// What Zorva would make of a stored PCX picture, judged without decoding it into pixels: the
// kinds of picture it shows, rows that hold the claimed width, the memory the pixels take, row
// data that lasts for every row, and the palette behind the rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/zorva-lesson/FileBytes.h"

namespace zorva::builder {

// The most pixel memory Zorva gives one picture.
constexpr uint64_t kMaxPictureBytes = 32ull * 1024 * 1024;

struct PictureFault {
  uint64_t at = 0;  // byte offset in the file
  std::string what;
};

struct PictureReport {
  int64_t width = 0;  // as the header claims
  int64_t height = 0;
  std::string summary;  // size, data length, bits and planes, for the page-by-page report
  std::vector<PictureFault> faults;
};

// Checks the `length` bytes at `offset` of `bytes`, which lie inside the file.
PictureReport checkPicture(const FileBytes& bytes, uint64_t offset, uint64_t length);

}  // namespace zorva::builder
