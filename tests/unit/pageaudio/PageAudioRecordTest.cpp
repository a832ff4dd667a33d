// Reading item records: coordinates, role links, names, clips, where the next record starts,
// damaged records, and the background copy with its failures.
#include <cstring>

#include "audio/Aiff.h"
#include "audio/WaveRecorder.h"
#include "platform/win32/gdi/GdiFaults.h"
#include "tests/unit/pageaudio/PageAudioFixture.h"

using namespace pageaudiotest;
using zorva::platform::GdiKind;

namespace {
class PageAudioRecord : public PageAudioTest {};
}  // namespace

TEST_F(PageAudioRecord, FieldsTakeStoredValuesWithYLessTwenty) {
  ItemRecord item;
  item.role = {50, -20, 80, 30};
  item.audio = {10, 100, 200, 120};
  item.role_head = 3;
  item.next_in_role = -1;
  item.name = "A1B2.AIF";
  CFile file;
  openFile(file, fileOf(item));
  CPageAudio audio(file, 7, dc());
  EXPECT_EQ(audio.m_rectRole, CRect(50, -20, 80, 30));
  EXPECT_EQ(audio.m_rectAudio, CRect(10, 100, 200, 120));
  EXPECT_TRUE(audio.m_bHasRoleRect);
  EXPECT_EQ(audio.m_nRoleHead, 3);
  EXPECT_EQ(audio.m_nNextInRole, -1);
  EXPECT_EQ(audio.m_nIndex, 7);
  EXPECT_STREQ(static_cast<LPCTSTR>(audio.m_strName), "A1B2.AIF");
  EXPECT_EQ(audio.m_pClip, nullptr);
  EXPECT_EQ(audio.m_pRecorder, nullptr);
  EXPECT_FALSE(audio.m_bLearnerRole);
  EXPECT_EQ(file.GetPosition(), 92u);
  EXPECT_STREQ(audio.GetRuntimeClass()->m_lpszClassName, "CPageAudio");
  EXPECT_TRUE(be->messageBoxes().empty());
  EXPECT_TRUE(pixeltest::Matches(*surface, pixeltest::Image(kWidth, kHeight)))
      << "reading a record draws nothing";
}

TEST_F(PageAudioRecord, EqualRoleTopAndBottomMeanNoRoleRectangle) {
  ItemRecord item = plainItem();
  item.role = {50, 40, 80, 40};
  CFile file;
  openFile(file, fileOf(item));
  CPageAudio audio(file, 0, dc());
  EXPECT_FALSE(audio.m_bHasRoleRect);
}

TEST_F(PageAudioRecord, NextRecordFollowsRecordOrClip) {
  // Without clips the second record begins 92 bytes after the first.
  {
    ItemRecord first = plainItem();
    first.role_head = 0;
    first.next_in_role = 1;
    ItemRecord second = plainItem();
    second.role_head = 0;
    second.audio = {20, 30, 60, 50};
    Bytes bytes = zorva::lessonkit::itemRecord(first);
    append(bytes, zorva::lessonkit::itemRecord(second));
    CFile file;
    openFile(file, bytes);
    CPageAudio a(file, 0, dc());
    CPageAudio b(file, 1, dc());
    EXPECT_EQ(a.m_nNextInRole, 1);
    EXPECT_EQ(b.m_rectAudio, CRect(20, 30, 60, 50));
    EXPECT_EQ(file.GetPosition(), 184u);
    file.Close();
  }
  // With a clip the next record begins right after the clip.
  const Bytes clip = zorva::lessonkit::encodeAiff(speech(100));
  ItemRecord first = plainItem();
  first.clip_offset = 92;
  first.clip_length = static_cast<uint32_t>(clip.size());
  ItemRecord second = plainItem();
  second.audio = {1, 22, 3, 24};
  Bytes bytes = zorva::lessonkit::itemRecord(first);
  append(bytes, clip);
  append(bytes, zorva::lessonkit::itemRecord(second));
  CFile file;
  openFile(file, bytes);
  CPageAudio a(file, 0, dc());
  ASSERT_NE(a.m_pClip, nullptr);
  EXPECT_EQ(a.m_pClip->m_nImageSize, static_cast<LONG>(clip.size()) - 8);
  EXPECT_EQ(file.GetPosition(), 92u + clip.size());
  CPageAudio b(file, 1, dc());
  EXPECT_EQ(b.m_rectAudio, CRect(1, 22, 3, 24));
}

TEST_F(PageAudioRecord, FullNameFieldIsKeptWithoutReadingPastIt) {
  Bytes bytes = zorva::lessonkit::itemRecord(plainItem());
  std::memset(&bytes[20], 'N', 64);  // no NUL in the field; the offset that follows is 0
  bytes[84] = 'X';                   // a byte after the field that must not join the name
  bytes.resize(88);
  bytes.insert(bytes.end(), 4, 0);
  CFile file;
  openFile(file, bytes);
  CPageAudio audio(file, 0, dc());
  EXPECT_EQ(audio.m_strName, CString('N', 64));
}

TEST_F(PageAudioRecord, RecordCutShortLeavesMissingFieldsZero) {
  ItemRecord item = plainItem();
  item.name = "CUT";
  item.clip_offset = 500;
  item.clip_length = 4000;
  Bytes bytes = zorva::lessonkit::itemRecord(item);
  bytes.resize(30);  // the ten values and the first bytes of the name
  CFile file;
  openFile(file, bytes);
  CPageAudio audio(file, 0, dc());
  EXPECT_EQ(audio.m_rectAudio, CRect(10, 100, 200, 120));
  EXPECT_STREQ(static_cast<LPCTSTR>(audio.m_strName), "CUT");
  EXPECT_EQ(audio.m_pClip, nullptr) << "the unread clip length counts as 0";
  EXPECT_EQ(file.GetPosition(), 30u);
}

TEST_F(PageAudioRecord, BackgroundCopyIsTheAudioRectangleFilledWhite) {
  CFile file;
  openFile(file, fileOf(plainItem()));
  CPageAudio audio(file, 0, dc());
  ASSERT_NE(audio.m_pMemDC, nullptr);
  ASSERT_NE(audio.m_pBitmap, nullptr);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 190; ++x) ASSERT_EQ(audio.m_pMemDC->GetPixel(x, y), pixeltest::kWhite);
  EXPECT_EQ(audio.m_pMemDC->GetPixel(190, 0), CLR_INVALID) << "190 pixels wide";
  EXPECT_EQ(audio.m_pMemDC->GetPixel(0, 20), CLR_INVALID) << "20 pixels high";
}

TEST_F(PageAudioRecord, InvertedOrEmptyAudioRectangleHasNoBackgroundCopy) {
  const zorva::lessonkit::ViewRect rects[] = {{200, 100, 10, 120}, {10, 120, 200, 100}, {10, 100, 10, 120}};
  for (const auto& rect : rects) {
    SCOPED_TRACE(rect.left);
    ItemRecord item = plainItem();
    item.audio = rect;
    CFile file;
    openFile(file, fileOf(item));
    const int bitmaps = zorva::platform::liveGdiObjects(GdiKind::Bitmap);
    CPageAudio audio(file, 0, dc());
    EXPECT_EQ(audio.m_pMemDC, nullptr);
    EXPECT_EQ(audio.m_pBitmap, nullptr);
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Bitmap), bitmaps);
    audio.m_bLearnerRole = TRUE;
    audio.RoleplayTurn(dc());  // neither saves nor restores
    EXPECT_TRUE(audio.m_pRecorder->m_bRecorded);
  }
  EXPECT_TRUE(be->messageBoxes().empty());
}

TEST_F(PageAudioRecord, OffscreenFailuresAreReportedAndLeaveNoObjects) {
  struct Row { GdiKind kind; const char* text; };
  const Row rows[] = {{GdiKind::DC, "CreateCompatibleDC() error"},
                      {GdiKind::Bitmap, "CreateCompatibleBitmap() error"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const int dcs = zorva::platform::liveGdiObjects(GdiKind::DC);
    const int bitmaps = zorva::platform::liveGdiObjects(GdiKind::Bitmap);
    const size_t boxes = be->messageBoxes().size();
    CFile file;
    openFile(file, fileOf(plainItem()));
    zorva::platform::failGdiCreation(row.kind);
    CPageAudio audio(file, 0, dc());
    zorva::platform::clearGdiFaults();
    ASSERT_EQ(be->messageBoxes().size(), boxes + 1);
    EXPECT_EQ(be->messageBoxes().back().text, row.text);
    EXPECT_EQ(be->messageBoxes().back().caption, "Zorva Offscreen Error");
    EXPECT_EQ(be->messageBoxes().back().flags, static_cast<unsigned>(MB_OK));
    EXPECT_FALSE(be->messageBoxes().back().has_owner);
    EXPECT_EQ(audio.m_pMemDC, nullptr);
    EXPECT_EQ(audio.m_pBitmap, nullptr);
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::DC), dcs);
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Bitmap), bitmaps);
  }
}

TEST_F(PageAudioRecord, DestructionAndFileErrorsLeaveNothingBehind) {
  const int dcs = zorva::platform::liveGdiObjects(GdiKind::DC);
  const int bitmaps = zorva::platform::liveGdiObjects(GdiKind::Bitmap);
  const Bytes bytes = fileOf(plainItem(), zorva::lessonkit::encodeAiff(speech(500)));
  {
    CFile file;
    openFile(file, bytes);
    CPageAudio audio(file, 0, dc());
    audio.RecordLearner(dc());
    EXPECT_EQ(zorva::platform::liveGlobalBlocks(), blocks_at_start + 1);
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::DC), dcs + 1);
  }
  EXPECT_EQ(zorva::platform::liveGlobalBlocks(), blocks_at_start);
  EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::DC), dcs);
  EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::Bitmap), bitmaps);

  for (int reads : {0, 1, 2, 3}) {  // the record's two reads, the clip's tag and samples
    SCOPED_TRACE(reads);
    CFile file;
    openFile(file, bytes);
    zorva::platform::failFileReadsAfter(reads);
    bool thrown = false;
    try {
      CPageAudio audio(file, 0, dc());
    } catch (CFileException* e) {
      thrown = true;
      e->Delete();
    }
    zorva::platform::clearKernelFaults();
    EXPECT_TRUE(thrown);
    EXPECT_EQ(zorva::platform::liveGlobalBlocks(), blocks_at_start);
    EXPECT_EQ(zorva::platform::liveGdiObjects(GdiKind::DC), dcs);
  }
}
