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

void putName(Bytes& out, size_t at, const std::string& name) {
  if (name.size() >= kRecordNameSize) throw std::invalid_argument("record name longer than 63");
  putText(out, at, name, kRecordNameSize);
}

void putStoredRect(Bytes& out, size_t at, const ViewRect& r) {
  putLe16(out, at, field16(r.left, "left"));
  putLe16(out, at + 2, field16(r.top + kStoredYOffset, "top"));
  putLe16(out, at + 4, field16(r.right, "right"));
  putLe16(out, at + 6, field16(r.bottom + kStoredYOffset, "bottom"));
}

}  // namespace

Bytes pictureRecord(int32_t offset, uint32_t length, const std::string& name) {
  Bytes out(kPictureRecordSize, 0);
  putName(out, 0, name);
  putLe32(out, kPictureOffsetAt, static_cast<uint32_t>(offset));
  putLe32(out, kPictureLengthAt, length);
  return out;
}

Bytes itemRecord(const ItemRecord& item) {
  Bytes out(kItemRecordSize, 0);
  putStoredRect(out, kItemRoleAt, item.role);
  putStoredRect(out, kItemAudioAt, item.audio);
  putLe16(out, kItemRoleHeadAt, field16(item.role_head, "role head"));
  putLe16(out, kItemNextInRoleAt, field16(item.next_in_role, "next in role"));
  putName(out, kItemNameAt, item.name);
  putLe32(out, kItemClipOffsetAt, item.clip_offset);
  putLe32(out, kItemClipLengthAt, item.clip_length);
  return out;
}

}  // namespace zorva::lessonkit
