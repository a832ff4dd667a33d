// The PCX picture: loading from a stretch of an open data file, placement, drawing through the
// device-independent-bitmap call with clipping at the view's top, erasing, and damaged data.
#include <gtest/gtest.h>

#include "elements/Image.h"
#include "platform/win32/gdi/GdiFaults.h"
#include "tests/support/DataFolder.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/PixelCanvas.h"

using namespace pixeltest;
namespace lk = zorva::lessonkit;

namespace {

// Colour of palette entry i: distinct per channel so a red/blue swap shows.
COLORREF PaletteColour(int i) { return RGB(i, (i * 7) & 0xFF, 255 - i); }

// Index i at (x, y): rows and columns both matter, so a wrong stride or a flipped picture shows.
uint8_t IndexAt(int x, int y) { return static_cast<uint8_t>((x * 3 + y * 5) % 251); }

lk::IndexedPicture TestPicture(int width, int height) {
  lk::IndexedPicture p = lk::IndexedPicture::filled(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.at(x, y) = IndexAt(x, y);
  for (int i = 0; i < 256; ++i) {
    const COLORREF c = PaletteColour(i);
    p.setColour(static_cast<uint8_t>(i), GetRValue(c), GetGValue(c), GetBValue(c));
  }
  return p;
}

// A data file with `pad` bytes before the picture, the way page files hold it.
class ImageTest : public ::testing::Test {
 protected:
  static constexpr LONG kPad = 100;

  void SetUp() override { zorva::platform::HeadlessBackend::install(); }

  void WriteFile(const lk::Bytes& pcx) {
    lk::Bytes bytes(kPad, 0x55);
    bytes.insert(bytes.end(), pcx.begin(), pcx.end());
    folder_.writeDataFile("PICTURE.DAT", bytes);
    ASSERT_TRUE(file_.Open("ZORVADAT\\PICTURE.DAT", CFile::modeRead));
  }

  zorva::testing::DataFolder folder_;
  CFile file_;
};

}  // namespace

TEST_F(ImageTest, LoadPlacesThePictureAndKeepsTheFilePosition) {
  const lk::Bytes pcx = lk::encodePcx(TestPicture(500, 300));
  WriteFile(pcx);
  file_.Seek(7, CFile::begin);
  CImage image;
  EXPECT_FALSE(image.m_bVisible);
  EXPECT_EQ(image.m_pInfo, nullptr);
  CRect place(110, -20, 0, 0);
  image.Load(file_, &place, kPad, (DWORD)pcx.size());
  EXPECT_EQ(file_.GetPosition(), 7u);
  EXPECT_EQ(place, CRect(110, -20, 610, 280));
  EXPECT_EQ(image.m_rect, CRect(110, -20, 610, 280));
  EXPECT_TRUE(image.m_bVisible);
  EXPECT_EQ(image.m_nWidth, 500);
  EXPECT_EQ(image.m_nHeight, 300);
  ASSERT_NE(image.m_pInfo, nullptr);
  ASSERT_NE(image.m_pBits, nullptr);
  const BITMAPINFOHEADER& h = image.m_pInfo->bmiHeader;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 500);
  EXPECT_EQ(h.biHeight, -300);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 8);
  EXPECT_EQ(h.biCompression, (DWORD)BI_RGB);
  EXPECT_EQ(h.biSizeImage, 0u);
  EXPECT_EQ(h.biClrUsed, 0u);
  EXPECT_EQ(image.m_pInfo->bmiColors[9].rgbRed, 9);
  EXPECT_EQ(image.m_pInfo->bmiColors[9].rgbGreen, 63);
  EXPECT_EQ(image.m_pInfo->bmiColors[9].rgbBlue, 246);
  EXPECT_EQ(image.m_pInfo->bmiColors[9].rgbReserved, 0);
  EXPECT_EQ(image.m_pBits[2 * 500 + 3], IndexAt(3, 2));
  EXPECT_STREQ(image.GetRuntimeClass()->m_lpszClassName, "CImage");
  EXPECT_TRUE(image.IsKindOf(RUNTIME_CLASS(CObject)));
}

TEST_F(ImageTest, DrawnAboveTheViewLosesItsTopRows) {
  const int w = 37, h = 30;  // odd width: the rows are padded to a stride of 40
  const lk::Bytes pcx = lk::encodePcx(TestPicture(w, h));
  WriteFile(pcx);
  CImage image;
  CRect place(5, -20, 0, 0);
  image.Load(file_, &place, kPad, (DWORD)pcx.size());
  Canvas s(50, 15);
  image.Draw(&s.cdc());
  Image e(50, 15);
  for (int y = 0; y < 10; ++y)  // picture rows 20..29 land on view rows 0..9
    for (int x = 0; x < w; ++x) e.set(5 + x, y, PaletteColour(IndexAt(x, y + 20)));
  EXPECT_TRUE(Matches(s, e));
}

TEST_F(ImageTest, DrawBeforeLoadPaintsNothingAndEraseShowRedraws) {
  Canvas s(40, 30);
  CImage empty;
  empty.Draw(&s.cdc());
  empty.Show(&s.cdc());
  EXPECT_TRUE(Matches(s, Image(40, 30))) << "nothing loaded";

  const lk::Bytes pcx = lk::encodePcx(TestPicture(10, 8));
  WriteFile(pcx);
  CImage image;
  CRect place(12, 9, 0, 0);
  image.Load(file_, &place, kPad, (DWORD)pcx.size());
  file_.Close();  // redrawing never reads the file again
  image.Draw(&s.cdc());
  Image drawn(40, 30);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) drawn.set(12 + x, 9 + y, PaletteColour(IndexAt(x, y)));
  EXPECT_TRUE(Matches(s, drawn));

  image.Erase(&s.cdc());
  EXPECT_FALSE(image.m_bVisible);
  Image erased(40, 30);
  erased.fill(11, 8, 23, 18, kWhite);  // one pixel beyond each edge
  EXPECT_TRUE(Matches(s, erased));
  image.Draw(&s.cdc());
  EXPECT_TRUE(Matches(s, erased)) << "a hidden picture is not drawn";

  image.Show(&s.cdc());
  Image shown = erased;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) shown.set(12 + x, 9 + y, PaletteColour(IndexAt(x, y)));
  EXPECT_TRUE(Matches(s, shown));
}

TEST_F(ImageTest, WithoutPaletteMarkerThePictureDrawsBlack) {
  lk::Bytes pcx = lk::encodePcx(TestPicture(6, 4));
  pcx[pcx.size() - 769] = 0x0B;
  WriteFile(pcx);
  CImage image;
  CRect place(1, 1, 0, 0);
  image.Load(file_, &place, kPad, (DWORD)pcx.size());
  Canvas s(10, 8);
  image.Draw(&s.cdc());
  Image e(10, 8);
  e.fill(1, 1, 7, 5, RGB(0, 0, 0));
  EXPECT_TRUE(Matches(s, e));
}

TEST_F(ImageTest, StretchOutsideTheFileLoadsNothingOrWhatExists) {
  const lk::Bytes pcx = lk::encodePcx(TestPicture(6, 4));
  WriteFile(pcx);
  struct Row {
    const char* name;
    LONG offset;
    DWORD length;
  };
  const Row outside[] = {
      {"offset past the end", kPad + (LONG)pcx.size() + 10, (DWORD)pcx.size()},
      {"negative offset", -5, (DWORD)pcx.size()},
      {"header cut by the file's end", kPad + (LONG)pcx.size() - 50, 4000000000u},
  };
  for (const Row& r : outside) {
    CImage image;
    CRect place(3, 4, 99, 99);
    file_.Seek(2, CFile::begin);
    image.Load(file_, &place, r.offset, r.length);
    EXPECT_EQ(file_.GetPosition(), 2u) << r.name;
    EXPECT_EQ(place, CRect(3, 4, 99, 99)) << r.name << ": place untouched";
    EXPECT_EQ(image.m_pBits, nullptr) << r.name;
    EXPECT_TRUE(image.m_bVisible) << r.name;
    Canvas s(12, 12);
    image.Draw(&s.cdc());
    image.Erase(&s.cdc());
    EXPECT_TRUE(Matches(s, Image(12, 12))) << r.name;
  }

  // A length reaching past the file's end reads what is there: here the whole picture.
  CImage image;
  CRect place(0, 0, 0, 0);
  image.Load(file_, &place, kPad, 0xFFFFFFF0u);
  EXPECT_EQ(place, CRect(0, 0, 6, 4));
  ASSERT_NE(image.m_pBits, nullptr);
  EXPECT_EQ(image.m_pInfo->bmiColors[200].rgbRed, 200);
}

TEST_F(ImageTest, HugeHeaderKeepsTheDescriptionButGetsNoPixels) {
  lk::Bytes pcx = lk::encodePcx(TestPicture(2, 2));
  pcx[8] = 0xFE;  // Xmax 32766
  pcx[9] = 0x7F;
  pcx[10] = 0xFE;  // Ymax 32766
  pcx[11] = 0x7F;
  pcx[66] = 0xFF;  // bytes per line 32767
  pcx[67] = 0x7F;
  WriteFile(pcx);
  CImage image;
  CRect place(110, -20, 0, 0);
  image.Load(file_, &place, kPad, (DWORD)pcx.size());
  ASSERT_NE(image.m_pInfo, nullptr);
  EXPECT_EQ(image.m_pInfo->bmiHeader.biWidth, 32767);
  EXPECT_EQ(image.m_pBits, nullptr);
  EXPECT_EQ(place, CRect(110, -20, 0, 0));
  EXPECT_TRUE(image.m_bVisible);
  Canvas s(8, 8);
  image.Draw(&s.cdc());
  EXPECT_TRUE(Matches(s, Image(8, 8)));
}

TEST_F(ImageTest, EraseWithoutAWhiteBrushPaintsNothingButHides) {
  const lk::Bytes pcx = lk::encodePcx(TestPicture(4, 4));
  WriteFile(pcx);
  CImage image;
  CRect place(2, 2, 0, 0);
  image.Load(file_, &place, kPad, (DWORD)pcx.size());
  Canvas s(10, 10);
  const int brushes = zorva::platform::liveGdiObjects(zorva::platform::GdiKind::Brush);
  zorva::platform::failGdiCreation(zorva::platform::GdiKind::Brush);
  image.Erase(&s.cdc());
  zorva::platform::clearGdiFaults();
  EXPECT_FALSE(image.m_bVisible);
  EXPECT_TRUE(Matches(s, Image(10, 10)));
  EXPECT_EQ(zorva::platform::liveGdiObjects(zorva::platform::GdiKind::Brush), brushes);
}

// Headers whose rows hold fewer pixels than they claim, or that claim a kind of picture the
// program cannot show: drawing stays inside the picture's own pixels.
TEST_F(ImageTest, RowsShorterThanTheWidthDrawOnlyWhatTheRowsHold) {
  struct Row {
    const char* name;
    int xmax;  // the header's claimed width - 1 (the rows hold 4 bytes: 4 pixels)
    int bits;
    bool drawn;
  } rows[] = {
      {"claims 30000 pixels: shown 4 wide", 29999, 8, true},
      {"claims 24 bits a pixel: no picture", 3, 24, false},
      {"claims 32 bits a pixel: no picture", 3, 32, false},
  };
  for (const Row& r : rows) {
    lk::Bytes pcx = lk::encodePcx(TestPicture(4, 3));
    pcx[3] = static_cast<uint8_t>(r.bits);
    pcx[8] = static_cast<uint8_t>(r.xmax);
    pcx[9] = static_cast<uint8_t>(r.xmax >> 8);
    WriteFile(pcx);
    CImage image;
    CRect place(1, 2, 0, 0);
    image.Load(file_, &place, kPad, (DWORD)pcx.size());
    file_.Close();
    Canvas s(12, 8);
    image.Draw(&s.cdc());
    Image e(12, 8);
    if (r.drawn) {
      EXPECT_EQ(image.m_nWidth, 4) << r.name;
      EXPECT_EQ(image.m_pInfo->bmiHeader.biWidth, 4) << r.name;
      EXPECT_EQ(place, CRect(1, 2, 5, 5)) << r.name;
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) e.set(1 + x, 2 + y, PaletteColour(IndexAt(x, y)));
    } else {
      EXPECT_EQ(image.m_pBits, nullptr) << r.name;
    }
    EXPECT_TRUE(Matches(s, e)) << r.name;
  }
}
