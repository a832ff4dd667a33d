// Clips, records and whole data files as Zorva reads them: every field at its offset, the
// stored y values, and the page file's chain of records and clips.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/DataFolder.h"
#include "tools/lessonkit/Lessonkit.h"

namespace lk = zorva::lessonkit;

namespace {

int32_t le32(const lk::Bytes& b, size_t at) {
  return static_cast<int32_t>(b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) |
                              (static_cast<uint32_t>(b.at(at + 3)) << 24));
}
int16_t le16(const lk::Bytes& b, size_t at) {
  return static_cast<int16_t>(b.at(at) | (b.at(at + 1) << 8));
}
uint32_t be32(const lk::Bytes& b, size_t at) {
  return (static_cast<uint32_t>(b.at(at)) << 24) | (b.at(at + 1) << 16) | (b.at(at + 2) << 8) |
         b.at(at + 3);
}
std::string text(const lk::Bytes& b, size_t at, size_t size) {
  std::string s;
  for (size_t i = at; i < at + size && b.at(i) != 0; ++i) s.push_back(static_cast<char>(b[i]));
  return s;
}

}  // namespace

TEST(AiffClip, HeaderIs52BytesAndSamplesAreBigEndian) {
  const std::vector<int16_t> samples = {0x1234, -2, 0, 32767};
  const lk::Bytes b = lk::encodeAiff(samples);
  ASSERT_EQ(b.size(), 52u + 8u);
  EXPECT_EQ(text(b, 0, 4), "FORM");
  EXPECT_EQ(be32(b, 4), b.size() - 8);  // form size covers the rest of the clip
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "AIFF");
  EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "COMM");
  EXPECT_EQ(be32(b, 16), 18u);
  EXPECT_EQ(b[21], 1);                   // one channel
  EXPECT_EQ(be32(b, 22), 4u);            // sample frames
  EXPECT_EQ(b[27], 16);                  // bits
  EXPECT_EQ(b[28], 0x40);                // 22,050 Hz as an extended value
  EXPECT_EQ(b[29], 0x0D);
  EXPECT_EQ(b[30], 0xAC);
  EXPECT_EQ(b[31], 0x44);
  EXPECT_EQ(std::string(b.begin() + 38, b.begin() + 42), "SSND");
  EXPECT_EQ(42 + 4 + be32(b, 42), b.size());  // the SSND chunk ends with the clip
  const std::vector<uint8_t> data(b.begin() + 52, b.end());
  EXPECT_EQ(data, (std::vector<uint8_t>{0x12, 0x34, 0xFF, 0xFE, 0, 0, 0x7F, 0xFF}));
  EXPECT_EQ(lk::encodeAiff({}).size(), 52u);
}

TEST(ItemRecord, FieldsAtTheirOffsetsWithYStored20Higher) {
  lk::ItemRecord r;
  r.role = {1, -20, 3, 4};
  r.audio = {100, 200, 300, 400};
  r.role_head = -1;
  r.next_in_role = 7;
  r.name = "hello";
  r.clip_offset = 0x01020304;
  r.clip_length = 0xA0B0C0D0;
  const lk::Bytes b = lk::itemRecord(r);
  ASSERT_EQ(b.size(), lk::kItemRecordSize);
  EXPECT_EQ(le16(b, 0), 1);
  EXPECT_EQ(le16(b, 2), 0);
  EXPECT_EQ(le16(b, 4), 3);
  EXPECT_EQ(le16(b, 6), 24);
  EXPECT_EQ(le16(b, 8), 100);
  EXPECT_EQ(le16(b, 10), 220);
  EXPECT_EQ(le16(b, 12), 300);
  EXPECT_EQ(le16(b, 14), 420);
  EXPECT_EQ(le16(b, 16), -1);
  EXPECT_EQ(le16(b, 18), 7);
  EXPECT_EQ(text(b, 20, 64), "hello");
  EXPECT_EQ(static_cast<uint32_t>(le32(b, 84)), 0x01020304u);
  EXPECT_EQ(static_cast<uint32_t>(le32(b, 88)), 0xA0B0C0D0u);
}

TEST(ItemRecord, RefusesValuesThatDoNotFit) {
  lk::ItemRecord r;
  r.audio.bottom = 32767 - 19;  // stored 20 higher: one too many
  EXPECT_THROW(lk::itemRecord(r), std::invalid_argument);
  lk::ItemRecord named;
  named.name = std::string(64, 'x');
  EXPECT_THROW(lk::itemRecord(named), std::invalid_argument);
  named.name = std::string(63, 'x');
  EXPECT_EQ(lk::itemRecord(named).size(), lk::kItemRecordSize);
}

TEST(StartupFile, HeaderPointsAtRecordThatPointsAtPicture) {
  const lk::Bytes pcx = lk::encodePcx(lk::IndexedPicture::filled(3, 2, 9));
  const lk::StartupFile f = lk::startupFile(pcx);
  const lk::Bytes& b = f.bytes;
  const int32_t record = le32(b, 44);
  EXPECT_EQ(record, 1420);
  EXPECT_EQ(static_cast<size_t>(record), f.record_at);
  const int32_t offset = le32(b, record + 64);
  const int32_t length = le32(b, record + 68);
  EXPECT_EQ(static_cast<size_t>(offset), f.picture_at);
  EXPECT_EQ(static_cast<size_t>(length), pcx.size());
  ASSERT_EQ(b.size(), static_cast<size_t>(offset + length));
  EXPECT_TRUE(std::equal(pcx.begin(), pcx.end(), b.begin() + offset));
}

TEST(PageFile, HeaderFieldsAndChainOfRecordsAndClips) {
  const lk::Page page = zorva::testing::sampleBook().pages.at(0);
  const lk::PageFile f = lk::pageFile(page);
  const lk::Bytes& b = f.bytes;
  EXPECT_EQ(text(b, 1, 13), "");
  EXPECT_EQ(text(b, 14, 13), "14102.PGE");
  EXPECT_EQ(text(b, 27, 1000), "Lesson 1, page 1");
  const int32_t pic = le32(b, 1027 + 64);
  const int32_t pic_len = le32(b, 1027 + 68);
  EXPECT_EQ(pic, 1099);
  EXPECT_EQ(static_cast<size_t>(pic_len), lk::encodePcx(page.picture).size());
  // Walk the file the way Zorva reads it: the count at the picture's end, then each record
  // from the current position and the next one from the clip's end.
  size_t pos = static_cast<size_t>(pic + pic_len);
  EXPECT_EQ(pos, f.count_at);
  ASSERT_EQ(le16(b, pos), 2);
  pos += 2;
  for (size_t i = 0; i < page.items.size(); ++i) {
    EXPECT_EQ(pos, f.record_at[i]);
    const uint32_t clip = static_cast<uint32_t>(le32(b, pos + 84));
    const uint32_t len = static_cast<uint32_t>(le32(b, pos + 88));
    EXPECT_EQ(clip, pos + 92) << "clip right after its record";
    EXPECT_EQ(len, 52 + 2 * page.items[i].samples.size());
    EXPECT_EQ(text(b, clip, 4), "FORM");
    EXPECT_EQ(le16(b, pos + 10), page.items[i].audio.top + 20);
    pos = clip + len;
  }
  EXPECT_EQ(pos, b.size());
}

TEST(PageFile, ItemWithoutSamplesHasNoClipAndNextRecordFollowsDirectly) {
  lk::Page page;
  page.file_name = "14101.pge";
  page.picture = lk::IndexedPicture::filled(2, 2, 0);
  page.items.resize(2);
  const lk::PageFile f = lk::pageFile(page);
  EXPECT_EQ(le32(f.bytes, f.record_at[0] + 88), 0);
  EXPECT_EQ(f.record_at[1], f.record_at[0] + 92);
  EXPECT_EQ(f.bytes.size(), f.record_at[1] + 92);
}

TEST(PageFile, RefusesTextThatDoesNotFitItsField) {
  lk::Page page;
  page.picture = lk::IndexedPicture::filled(2, 2, 0);
  page.prev_name = "123456789012";  // 12 characters fit
  page.info = std::string(999, 'i');
  EXPECT_NO_THROW(lk::pageFile(page));
  page.next_name = "1234567890123";
  EXPECT_THROW(lk::pageFile(page), std::invalid_argument);
  page.next_name.clear();
  page.info.push_back('i');
  EXPECT_THROW(lk::pageFile(page), std::invalid_argument);
}

TEST(PageFile, ReadyPcxBytesAreStoredAsGiven) {
  lk::Page page;
  const lk::Bytes damaged = {1, 2, 3};
  const lk::PageFile f = lk::pageFile(page, damaged);
  EXPECT_EQ(le32(f.bytes, 1027 + 68), 3);
  EXPECT_EQ(f.bytes[1099 + 2], 3);
  EXPECT_EQ(f.count_at, 1102u);
}

namespace {

lk::Bytes readAll(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return lk::Bytes(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

TEST(DataFolder, WritesTheBookAndRunsTheTestInsideIt) {
  const auto before = std::filesystem::current_path();
  std::filesystem::path root;
  {
    const lk::Book book = zorva::testing::sampleBook();
    zorva::testing::DataFolder folder(book);
    root = folder.root();
    EXPECT_EQ(std::filesystem::current_path(), root);
    EXPECT_EQ(readAll("ZORVADAT/DATA4.DAT"), lk::startupFile(lk::encodePcx(book.title)).bytes);
    EXPECT_EQ(readAll("ZORVADAT/14101.pge"), lk::pageFile(book.pages[0]).bytes);
    folder.writeDataFile("14102.PGE", {1, 2});
    EXPECT_EQ(readAll("ZORVADAT/14102.PGE"), (lk::Bytes{1, 2}));
  }
  EXPECT_EQ(std::filesystem::current_path(), before);
  EXPECT_FALSE(std::filesystem::exists(root));
}

TEST(DataFolder, BookWithDuplicateOrUnnamedPagesIsRefused) {
  lk::Book book = zorva::testing::sampleBook();
  book.pages.push_back(book.pages[0]);
  EXPECT_THROW(lk::buildFolder(book), std::invalid_argument);
  book.pages.back().file_name.clear();
  EXPECT_THROW(lk::buildFolder(book), std::invalid_argument);
}
