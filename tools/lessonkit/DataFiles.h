// Whole data files: the start-up file DATA4.DAT and page files, with where each part lies so
// that tests can damage a chosen part.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/lessonkit/Pcx.h"
#include "tools/lessonkit/Records.h"

namespace zorva::lessonkit {

struct StartupFile {
  Bytes bytes;
  size_t record_at = 0;   // the picture record
  size_t picture_at = 0;  // the PCX data
  size_t picture_size = 0;
};

// The header (pointing at what follows it), the picture record, then the PCX bytes.
StartupFile startupFile(const Bytes& pcx);

struct Item {
  ViewRect audio;
  ViewRect role;  // Zorva hit-tests it as given; an empty one is never hit
  int role_head = -1;
  int next_in_role = -1;
  std::string name;
  std::vector<int16_t> samples;  // empty: no clip
};

struct Page {
  std::string file_name;  // e.g. "14101.pge"
  std::string prev_name;
  std::string next_name;
  std::string info;
  IndexedPicture picture;
  std::vector<Item> items;
};

struct PageFile {
  Bytes bytes;
  size_t picture_at = 0;
  size_t picture_size = 0;
  size_t count_at = 0;              // the 16-bit item count
  std::vector<size_t> record_at;    // each item's record
  std::vector<size_t> clip_at;      // each item's clip (right after its record; size 0 without clip)
  std::vector<size_t> clip_size;
};

// Header fields, picture record and picture, item count, then record, clip, record, clip...
// with each record's clip offset pointing right after the record. Throws std::invalid_argument
// for names over 12 characters, info over 999 or more than 32767 items.
PageFile pageFile(const Page& page);
// The same with the picture given as ready PCX bytes (which may be deliberately damaged).
PageFile pageFile(const Page& page, const Bytes& pcx);
// The size of pageFile(page), counted without laying the file out.
uint64_t pageFileSize(const Page& page);

}  // namespace zorva::lessonkit
