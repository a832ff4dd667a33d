// The model clip: the WAV image built from a stretch of a page file, the file position it
// leaves, its refusals and failures, and what playing it puts on the virtual output.
#include "audio/Aiff.h"

#include <cstring>

#include "tests/unit/audio/AudioFixture.h"

using namespace zorva;
using zorva::testing::get16;
using zorva::testing::get32;

namespace {

const LONG kOffset = 30;  // clips sit behind other data in a page file

// A page file: `kOffset` bytes of filler, the clip, and a trailer the clip must not take in.
lessonkit::Bytes pageWith(const lessonkit::Bytes& clip) {
  lessonkit::Bytes file(kOffset, 0xEE);
  file.insert(file.end(), clip.begin(), clip.end());
  file.insert(file.end(), 16, 0xDD);
  return file;
}

lessonkit::Bytes clipOf(const std::vector<int16_t>& samples) { return lessonkit::encodeAiff(samples); }

std::vector<uint8_t> image(const CAIFF& clip) {
  std::vector<uint8_t> out(static_cast<size_t>(clip.m_nImageSize));
  const auto* p = static_cast<const uint8_t*>(GlobalLock(clip.m_hImage));
  std::memcpy(out.data(), p, out.size());
  GlobalUnlock(clip.m_hImage);
  return out;
}

void expectHeader(const std::vector<uint8_t>& img, uint32_t nDataSize) {
  ASSERT_GE(img.size(), 44u);
  EXPECT_EQ(std::memcmp(img.data(), "RIFF", 4), 0);
  EXPECT_EQ(get32(&img[4]), nDataSize + 36);
  EXPECT_EQ(std::memcmp(&img[8], "WAVEfmt ", 8), 0);
  EXPECT_EQ(get32(&img[16]), 16u);
  EXPECT_EQ(get16(&img[20]), 1u);
  EXPECT_EQ(get16(&img[22]), 1u);
  EXPECT_EQ(get32(&img[24]), 22050u);
  EXPECT_EQ(get32(&img[28]), 44100u);
  EXPECT_EQ(get16(&img[32]), 2u);
  EXPECT_EQ(get16(&img[34]), 16u);
  EXPECT_EQ(std::memcmp(&img[36], "data", 4), 0);
  EXPECT_EQ(get32(&img[40]), nDataSize);
}

class Aiff : public zorva::testing::AudioTest {};

}  // namespace

TEST_F(Aiff, HeaderOnlyClipGivesEmptyImage) {
  CFile file;
  const lessonkit::Bytes clip = clipOf({});
  ASSERT_EQ(clip.size(), 52u);
  openFile(file, pageWith(clip));
  CAIFF aiff(file, kOffset, 52);
  EXPECT_EQ(aiff.m_nImageSize, 44);
  ASSERT_NE(aiff.m_hImage, nullptr);
  expectHeader(image(aiff), 0);
  EXPECT_EQ(file.GetPosition(), static_cast<ULONGLONG>(kOffset + 52));
  EXPECT_TRUE(be->messageBoxes().empty());
  EXPECT_TRUE(be->beeps().empty());
}

TEST_F(Aiff, LongClipIsByteSwappedAndLeavesFileAtItsEnd) {
  std::vector<int16_t> samples(50000);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(i * 37 - 20000);
  samples[0] = 0x1234;
  CFile file;
  openFile(file, pageWith(clipOf(samples)));
  CAIFF aiff(file, kOffset, 100052);
  EXPECT_EQ(aiff.m_nImageSize, 100044);
  const std::vector<uint8_t> img = image(aiff);
  expectHeader(img, 100000);
  EXPECT_EQ(img[44], 0x34);  // big-endian 0x12 0x34 in the clip
  EXPECT_EQ(img[45], 0x12);
  const std::vector<uint8_t> expected = zorva::testing::littleEndian(samples);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), img.begin() + 44));
  EXPECT_EQ(file.GetPosition(), static_cast<ULONGLONG>(kOffset + 100052));
  EXPECT_TRUE(be->messageBoxes().empty());
}

TEST_F(Aiff, ClipWithoutFormTagIsReportedOnceAndStillUsed) {
  lessonkit::Bytes clip = clipOf({0x0102, -2});
  std::memcpy(clip.data(), "XORM", 4);
  CFile file;
  openFile(file, pageWith(clip));
  CAIFF aiff(file, kOffset, static_cast<LONG>(clip.size()));
  ASSERT_EQ(be->messageBoxes().size(), 1u);
  const auto& box = be->messageBoxes()[0];
  EXPECT_EQ(box.text, "Not an AIFF file");
  EXPECT_EQ(box.caption, "AIFF AUDIO FILE ERROR");
  EXPECT_EQ(box.flags, static_cast<unsigned>(MB_OK));
  EXPECT_FALSE(box.has_owner);
  const std::vector<uint8_t> img = image(aiff);
  EXPECT_EQ(std::vector<uint8_t>(img.begin() + 44, img.end()), zorva::testing::littleEndian({0x0102, -2}));
  aiff.Play();
  EXPECT_EQ(be->messageBoxes().size(), 1u) << "the tag is looked at only while loading";
}

TEST_F(Aiff, OddDataSizeLeavesLastByteSilent) {
  lessonkit::Bytes clip = clipOf({0x1122, 0x3344});
  clip.push_back(0x55);  // a byte with no partner
  CFile file;
  openFile(file, pageWith(clip));
  CAIFF aiff(file, kOffset, 57);
  EXPECT_EQ(aiff.m_nImageSize, 49);
  const std::vector<uint8_t> img = image(aiff);
  expectHeader(img, 5);
  EXPECT_EQ(std::vector<uint8_t>(img.begin() + 44, img.end()),
            (std::vector<uint8_t>{0x22, 0x11, 0x44, 0x33, 0x00}));
  EXPECT_EQ(file.GetPosition(), static_cast<ULONGLONG>(kOffset + 57));
}

TEST_F(Aiff, FileShorterThanClipKeepsOnlyTheSamplesItHolds) {
  lessonkit::Bytes bytes(kOffset, 0);
  const lessonkit::Bytes clip = clipOf({0x0A0B});
  bytes.insert(bytes.end(), clip.begin(), clip.end());
  CFile file;
  openFile(file, bytes);
  CAIFF aiff(file, kOffset, 52 + 8);
  const std::vector<uint8_t> img = image(aiff);
  EXPECT_EQ(std::vector<uint8_t>(img.begin() + 44, img.end()), (std::vector<uint8_t>{0x0B, 0x0A}));
  EXPECT_EQ(file.GetPosition(), static_cast<ULONGLONG>(kOffset + 54)) << "offset + 52 + bytes read";
}

TEST_F(Aiff, LengthBelowHeaderIsRefusedWithBeepAndNoBlock) {
  for (LONG length : {51L, 8L, 0L, -100L}) {
    SCOPED_TRACE(length);
    CFile file;
    openFile(file, pageWith(clipOf({1, 2, 3})));
    file.Seek(5, CFile::begin);
    const size_t beeps = be->beeps().size();
    CAIFF aiff(file, kOffset, length);
    EXPECT_EQ(aiff.m_hImage, nullptr);
    EXPECT_EQ(aiff.m_nImageSize, 0);
    EXPECT_EQ(file.GetPosition(), static_cast<ULONGLONG>(kOffset));
    ASSERT_EQ(be->beeps().size(), beeps + 1);
    EXPECT_EQ(be->beeps().back().type, 10u);
    EXPECT_EQ(platform::liveGlobalBlocks(), blocks_at_start);
    aiff.Play();
    EXPECT_TRUE(be->audio().trace().empty());
    EXPECT_EQ(be->beeps().size(), beeps + 1);
  }
  EXPECT_TRUE(be->messageBoxes().empty());
}

TEST_F(Aiff, ImageAllocationFailureBeepsAndKeepsSize) {
  CFile file;
  openFile(file, pageWith(clipOf({7, 8})));
  platform::failGlobalAllocAfter(0);
  CAIFF aiff(file, kOffset, 56);
  EXPECT_EQ(aiff.m_hImage, nullptr);
  EXPECT_EQ(aiff.m_nImageSize, 48);
  ASSERT_EQ(be->beeps().size(), 1u);
  EXPECT_EQ(be->beeps()[0].type, 10u);
  EXPECT_EQ(file.GetPosition(), static_cast<ULONGLONG>(kOffset));
  aiff.Play();
  EXPECT_TRUE(be->audio().trace().empty());
  EXPECT_EQ(be->beeps().size(), 1u);
}

TEST_F(Aiff, TemporaryBlockFailureLeavesZeroImageThatFailsToPlay) {
  CFile file;
  openFile(file, pageWith(clipOf({7, 8})));
  platform::failGlobalAllocAfter(1);
  {
    CAIFF aiff(file, kOffset, 56);
    ASSERT_NE(aiff.m_hImage, nullptr);
    const std::vector<uint8_t> img = image(aiff);
    EXPECT_EQ(img, std::vector<uint8_t>(48, 0));
    EXPECT_EQ(file.GetPosition(), static_cast<ULONGLONG>(kOffset));
    ASSERT_EQ(be->beeps().size(), 1u);
    EXPECT_EQ(platform::liveGlobalBlocks(), blocks_at_start + 1);
    aiff.Play();
    ASSERT_EQ(be->beeps().size(), 2u);
    EXPECT_EQ(be->beeps()[1].type, 10u);
  }
  EXPECT_EQ(platform::liveGlobalBlocks(), blocks_at_start);
}

TEST_F(Aiff, FileExceptionLeavesConstructorWithoutLeakingBlocks) {
  CFile file;
  openFile(file, pageWith(clipOf({1, 2, 3, 4})));
  platform::failFileReadsAfter(1);  // the tag reads, the samples do not
  bool thrown = false;
  try {
    CAIFF aiff(file, kOffset, 60);
  } catch (CFileException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  EXPECT_EQ(platform::liveGlobalBlocks(), blocks_at_start);
}

TEST_F(Aiff, EachPlayHearsTheWholeImage) {
  const std::vector<int16_t> samples = {100, -100, 0x1234, 5};
  CFile file;
  openFile(file, pageWith(clipOf(samples)));
  CAIFF aiff(file, kOffset, 60);
  aiff.Play();
  aiff.Play();
  const auto& trace = be->audio().trace();
  ASSERT_EQ(trace.size(), 2u);
  for (const auto& sound : trace) {
    EXPECT_EQ(sound.kind, platform::SoundKind::PlaySound);
    EXPECT_EQ(sound.bytes, zorva::testing::littleEndian(samples));
    EXPECT_EQ(sound.heard_bytes, 8u);
  }
  EXPECT_TRUE(be->beeps().empty());
}

// A clip's length is bounded by the bytes its file holds: the image (and the recording grown
// from it) never grows with what the record merely claims.
TEST_F(Aiff, ClaimedLengthIsBoundedByTheFile) {
  const lessonkit::Bytes clip = clipOf({0x0A0B, 0x0C0D});  // 4 sample bytes
  struct Row {
    const char* name;
    LONG offset;
    LONG length;
    LONG image_size;
  } rows[] = {
      {"a clip the file holds: length - 8", kOffset, 56, 48},
      {"cut short by 1 s: the file's 4 bytes + 16 trailer bytes", kOffset, 56 + 44100, 44 + 4 + 16},
      {"claims 1.7 GB: the same", kOffset, 1700000000, 44 + 4 + 16},
      {"starts past the end: no samples", 100000, 1700000000, 44},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    CFile file;
    openFile(file, pageWith(clip));
    CAIFF aiff(file, r.offset, r.length);
    EXPECT_EQ(aiff.m_nImageSize, r.image_size);
    ASSERT_NE(aiff.m_hImage, nullptr);
    EXPECT_EQ(GlobalSize(aiff.m_hImage), static_cast<SIZE_T>(r.image_size));
    const std::vector<uint8_t> img = image(aiff);
    expectHeader(img, static_cast<uint32_t>(r.image_size - 44));
  }
  EXPECT_EQ(CAIFF::ClipDataSize(100, 0, 51), 0);
  EXPECT_EQ(CAIFF::ClipDataSize(100, 0x7FFFFFF0, 0x7FFFFFFF), 0) << "no overflow";
}
