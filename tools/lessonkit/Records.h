// The fixed-size records of Zorva's data files.
#pragma once

#include <cstdint>
#include <string>

#include "tools/lessonkit/ByteWriter.h"
#include "tools/lessonkit/FileLayout.h"

namespace zorva::lessonkit {

// A rectangle in view coordinates.
struct ViewRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A name (NUL-padded, at most 63 characters), then the offset and length of the data.
Bytes pictureRecord(int32_t offset, uint32_t length, const std::string& name = {});

struct ItemRecord {
  ViewRect role;
  ViewRect audio;
  int role_head = -1;
  int next_in_role = -1;
  std::string name;  // clip name, at most 63 characters
  uint32_t clip_offset = 0;
  uint32_t clip_length = 0;  // 0: the item has no clip
};

// The item record, y values stored kStoredYOffset higher than given. Throws std::invalid_argument
// when a value does not fit its 16-bit field or the name is too long.
Bytes itemRecord(const ItemRecord& item);

}  // namespace zorva::lessonkit
