#include "tools/lessonkit/DataFiles.h"

#include <stdexcept>

#include "tools/lessonkit/Aiff.h"

namespace zorva::lessonkit {

StartupFile startupFile(const Bytes& pcx) {
  StartupFile f;
  ByteWriter w(f.bytes);
  w.zeros(kStartupHeaderSize);
  f.record_at = kStartupHeaderSize;
  putLe32(f.bytes, kStartupRecordPointer, static_cast<uint32_t>(f.record_at));
  f.picture_at = f.record_at + kPictureRecordSize;
  f.picture_size = pcx.size();
  w.bytes(pictureRecord(static_cast<int32_t>(f.picture_at), static_cast<uint32_t>(pcx.size())));
  w.bytes(pcx);
  return f;
}

namespace {

void checkText(const std::string& s, size_t field, const char* what) {
  if (s.size() >= field) {
    throw std::invalid_argument(std::string("page file: ") + what + " too long");
  }
}

void writeItem(PageFile& f, const Item& item) {
  ItemRecord r;
  r.role = item.role;
  r.audio = item.audio;
  r.role_head = item.role_head;
  r.next_in_role = item.next_in_role;
  r.name = item.name;
  const size_t record_at = f.bytes.size();
  Bytes clip;
  if (!item.samples.empty()) {
    clip = encodeAiff(item.samples);
    r.clip_offset = static_cast<uint32_t>(record_at + kItemRecordSize);
    r.clip_length = static_cast<uint32_t>(clip.size());
  }
  ByteWriter w(f.bytes);
  w.bytes(itemRecord(r));
  w.bytes(clip);
  f.record_at.push_back(record_at);
  f.clip_at.push_back(record_at + kItemRecordSize);
  f.clip_size.push_back(clip.size());
}

}  // namespace

PageFile pageFile(const Page& page, const Bytes& pcx) {
  checkText(page.prev_name, kPageNameSize, "previous page name");
  checkText(page.next_name, kPageNameSize, "next page name");
  checkText(page.info, kPageInfoSize, "page information");
  if (page.items.size() > 32767) throw std::invalid_argument("page file: too many items");
  PageFile f;
  f.bytes.assign(kPagePictureRecordAt, 0);
  putText(f.bytes, kPagePrevAt, page.prev_name, kPageNameSize);
  putText(f.bytes, kPageNextAt, page.next_name, kPageNameSize);
  putText(f.bytes, kPageInfoAt, page.info, kPageInfoSize);
  f.picture_at = kPageFixedSize;
  f.picture_size = pcx.size();
  ByteWriter w(f.bytes);
  w.bytes(pictureRecord(static_cast<int32_t>(f.picture_at), static_cast<uint32_t>(pcx.size())));
  w.bytes(pcx);
  f.count_at = f.bytes.size();
  w.le16(static_cast<uint16_t>(page.items.size()));
  for (const Item& item : page.items) writeItem(f, item);
  return f;
}

PageFile pageFile(const Page& page) { return pageFile(page, encodePcx(page.picture)); }

uint64_t pageFileSize(const Page& page) {
  uint64_t size = kPageFixedSize + encodePcx(page.picture).size() + 2;
  for (const Item& item : page.items) {
    size += kItemRecordSize + (item.samples.empty() ? 0 : kAiffHeaderSize + 2 * uint64_t(item.samples.size()));
  }
  return size;
}

}  // namespace zorva::lessonkit
