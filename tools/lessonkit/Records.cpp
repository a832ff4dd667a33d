#include "tools/lessonkit/Records.h"

#include <stdexcept>

namespace zorva::lessonkit {

namespace {

uint16_t field16(int v, const char* what) {
  if (v < -32768 || v > 32767) {
    throw std::invalid_argument(std::string("item record: ") + what + " does not fit 16 bits");
  }
  return static_cast<uint16_t>(static_cast<int16_t>(v));
}

void nameField(ByteWriter& w, const std::string& name) {
  if (name.size() >= kRecordNameSize) throw std::invalid_argument("record name longer than 63");
  w.text(name, kRecordNameSize);
}

void storedRect(ByteWriter& w, const ViewRect& r) {
  w.le16(field16(r.left, "left"));
  w.le16(field16(r.top + kStoredYOffset, "top"));
  w.le16(field16(r.right, "right"));
  w.le16(field16(r.bottom + kStoredYOffset, "bottom"));
}

}  // namespace

Bytes pictureRecord(int32_t offset, uint32_t length, const std::string& name) {
  Bytes out;
  ByteWriter w(out);
  nameField(w, name);
  w.le32(static_cast<uint32_t>(offset));
  w.le32(length);
  return out;
}

Bytes itemRecord(const ItemRecord& item) {
  Bytes out;
  ByteWriter w(out);
  storedRect(w, item.role);
  storedRect(w, item.audio);
  w.le16(field16(item.role_head, "role head"));
  w.le16(field16(item.next_in_role, "next in role"));
  nameField(w, item.name);
  w.le32(item.clip_offset);
  w.le32(item.clip_length);
  return out;
}

}  // namespace zorva::lessonkit
