// The memory a page may make Zorva hold: three times its file's size and 64 MB more. Pages whose items claim
// more keep the items that fit; background copies keep only what a view can show.
#include "tests/unit/lesson/BookFixture.h"

using namespace lessontest;

TEST_F(BookTest, PageClaimingMoreThanItsMemoryBoundKeepsTheItemsThatFit) {
  struct Row {
    const char* name;
    lk::ViewRect audio;
    int items_kept;
    int copy_width, copy_height;
    size_t clip_samples = 0;
  } rows[] = {
      // 2,800,000 bytes of copy + 116,666 of recording each: 11 fit in 32 MB + the file.
      {"60 items of 1000 x 700", {0, 0, 1000, 700}, 11, 1000, 700},
      // 16384 x 4096 is cut to the 1280 x 994 screen: 5,206,746 bytes each, 6 fit.
      {"60 items of 16384 x 4096", {-8192, -2048, 8191, 2047}, 6, 1280, 994},
      // A sound page of long sentences: 60 clips of 11 s (29 MB) and their recordings all fit.
      {"60 items with 11 s clips", {0, 0, 400, 30}, 60, 400, 30, 11 * 22050},
  };
  writeRaw("DATA4.DAT", lk::startupFile(lk::encodePcx(lk::IndexedPicture::filled(8, 8, 1))).bytes);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<lk::Item> items;
    for (int i = 0; i < 60; i++) {
      lk::Item it = silentItem(0, 0);
      it.audio = r.audio;
      it.samples.assign(r.clip_samples, 0);
      items.push_back(it);
    }
    writeRaw("14101.pge", lk::pageFile(page("14101.pge", "", "", items)).bytes);
    CLessonBook& book = makeBook();
    book.OpenLesson(0, &dc_);
    EXPECT_EQ(book.m_nItems, r.items_kept);
    ASSERT_NE(book.m_items[0], nullptr);
    CDC* copy = book.m_items[0]->m_pMemDC;
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetPixel(r.copy_width - 1, r.copy_height - 1), RGB(255, 255, 255));
    EXPECT_EQ(copy->GetPixel(r.copy_width, 0), CLR_INVALID) << "copy as wide as can be seen";
    EXPECT_EQ(copy->GetPixel(0, r.copy_height), CLR_INVALID) << "copy as high as can be seen";
    EXPECT_TRUE(desktop_->messageBoxes().empty());
  }
}
