// The buttons, the start-up file and the page file reading of the lesson book.
#include <sys/stat.h>

#include "tests/support/Watchdog.h"
#include "tests/unit/lesson/BookFixture.h"

using namespace lessontest;

TEST_F(BookTest, ButtonsAreLaidOutFromTheRunningCounter) {
  CLessonBook& book = makeBook();
  const int tops[13] = {23, 47, 71, 143, 167, 191, 215, 239, 263, 99, 123, 147, 171};
  for (int i = 0; i < 13; i++) {
    const CRect r = book.m_buttons[i]->m_rect;
    EXPECT_EQ(r.left, i < 9 ? 10 : 600) << i;
    EXPECT_EQ(r.right, r.left + 100) << i;
    EXPECT_EQ(r.top, tops[i]) << i;
    EXPECT_EQ(r.bottom, tops[i] + 26) << i;
    EXPECT_EQ(bool(book.m_buttons[i]->m_bVisible), i >= 9) << i;
    EXPECT_EQ(book.m_buttons[i]->m_nState, (i >= 10) ? -1 : 0) << i;
  }
  EXPECT_STREQ((LPCTSTR)book.m_buttons[CLessonBook::kBlankButton]->m_strCaption, " ");
  EXPECT_STREQ((LPCTSTR)book.m_buttons[CLessonBook::kRepeatButton]->m_strCaption,
               "Repeat after me");
  EXPECT_FALSE(book.m_bPageShown);
  EXPECT_EQ(book.m_bRolePlay, 0);
}

TEST_F(BookTest, MissingStartupFileIsReportedWithoutOwnerAndLeavesNoTitle) {
  CLessonBook& book = makeBook();
  ASSERT_EQ(desktop_->messageBoxes().size(), 1u);
  EXPECT_EQ(desktop_->messageBoxes()[0].text, "Can't find file 'ZORVADAT//DATA4.DAT'");
  EXPECT_EQ(desktop_->messageBoxes()[0].caption, "Zorva File Error");
  EXPECT_FALSE(desktop_->messageBoxes()[0].has_owner);
  EXPECT_EQ(book.m_pTitlePicture, nullptr);
}

TEST_F(BookTest, DamagedStartupFileGivesNoTitleAndNoBox) {
  writeRaw("DATA4.DAT", lk::Bytes(100, 0));  // shorter than its header
  EXPECT_EQ(makeBook().m_pTitlePicture, nullptr);
  lk::Bytes header(1420, 0);
  header[44] = 0xF0;  // record offset far beyond the file
  header[45] = 0xFF;
  writeRaw("DATA4.DAT", header);
  EXPECT_EQ(makeBook().m_pTitlePicture, nullptr);
  EXPECT_TRUE(desktop_->messageBoxes().empty());
}

TEST_F(BookTest, LessonOneOpensItsFirstPageAndNamesAreUpperCased) {
  lk::Book data;
  data.title = lk::IndexedPicture::filled(50, 30, 2);
  data.pages = {page("14101.pge", "", "14102.pge", {silentItem(200, 100), silentItem(300, 100)})};
  writeBook(data);
  CLessonBook& book = makeBook();
  ASSERT_NE(book.m_pTitlePicture, nullptr);
  book.OpenLesson(0, &dc_);
  EXPECT_TRUE(book.m_bPageShown);
  EXPECT_STREQ((LPCTSTR)book.m_strPageFile, "14101.pge");
  EXPECT_STREQ((LPCTSTR)book.m_strNextFile, "14102.PGE");
  EXPECT_STREQ((LPCTSTR)book.m_strPageInfo, "Page 14101.pge");
  EXPECT_EQ(book.m_nItems, 2);
  EXPECT_NE(book.m_items[1], nullptr);
  EXPECT_EQ(book.m_items[2], nullptr);
  EXPECT_TRUE(desktop_->messageBoxes().empty());
}

TEST_F(BookTest, EmptyPreviousNameLoadsLessonZeroAndReportsItMissing) {
  lk::Book data;
  data.title = lk::IndexedPicture::filled(50, 30, 2);
  data.pages = {page("14101.pge", "", "14102.pge", {silentItem(200, 100)})};
  writeBook(data);
  CLessonBook& book = makeBook();
  book.OpenLesson(0, &dc_);
  book.Navigate(1, &dc_);
  ASSERT_EQ(desktop_->messageBoxes().size(), 1u);
  EXPECT_EQ(desktop_->messageBoxes()[0].text, "Can't find file 'ZORVADAT\\14001.pge'");
  EXPECT_EQ(desktop_->messageBoxes()[0].caption, "Zorva File Error");
  EXPECT_STREQ((LPCTSTR)book.m_strPageFile, "14001.pge");
  EXPECT_EQ(book.m_nItems, 0);
  EXPECT_EQ(book.m_pPagePicture, nullptr);
  EXPECT_TRUE(book.m_strNextFile.IsEmpty());
}

// A page file that is a named pipe nobody writes to, or a device, is opened without waiting and
// reported like a page that can't be opened; the program goes on.
TEST_F(BookTest, PageFilesThatAreNotRegularFilesAreRefusedAtOnce) {
  lk::Book data;
  data.title = lk::IndexedPicture::filled(50, 30, 2);
  data.pages = {page("14101.pge", "", "", {silentItem(200, 100)})};
  writeBook(data);
  ASSERT_EQ(::mkfifo((folder_.dataDir() / "14201.pge").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", folder_.dataDir() / "14301.pge");
  CLessonBook& book = makeBook();
  for (const short lesson : {1, 2}) {
    zorva::testing::Watchdog watchdog(5, "opening a page that is not a regular file");
    book.OpenLesson(lesson, &dc_);
    EXPECT_EQ(book.m_nItems, 0) << lesson;
  }
  ASSERT_EQ(desktop_->messageBoxes().size(), 2u);
  EXPECT_EQ(desktop_->messageBoxes()[0].text, "Can't find file 'ZORVADAT\\14201.pge'");
  EXPECT_EQ(desktop_->messageBoxes()[1].text, "Can't find file 'ZORVADAT\\14301.pge'");
}

TEST_F(BookTest, ItemCountAboveTheTableReadsOnlySixty) {
  std::vector<lk::Item> items;
  for (int i = 0; i < 61; i++) items.push_back(silentItem(200 + i, 100));
  writeRaw("14101.pge", lk::pageFile(page("14101.pge", "", "", items)).bytes);
  CLessonBook& book = makeBook();
  book.OpenLesson(0, &dc_);
  EXPECT_EQ(book.m_nItems, 60);
  EXPECT_EQ(book.m_items[59]->m_rectAudio.left, 259);
}

TEST_F(BookTest, TruncatedPageKeepsItemsReadSoFar) {
  lk::PageFile file =
      lk::pageFile(page("14101.pge", "", "", {silentItem(200, 100), silentItem(300, 100)}));
  file.bytes.resize(file.record_at[1] + 10);  // second record cut short
  writeRaw("14101.pge", file.bytes);
  CLessonBook& book = makeBook();
  book.OpenLesson(0, &dc_);  // must not throw
  EXPECT_EQ(book.m_nItems, 1);
  EXPECT_EQ(book.m_items[1], nullptr);
  file.bytes.resize(500);  // shorter than the fixed parts
  writeRaw("14101.pge", file.bytes);
  book.Navigate(1, &dc_);  // empty previous name: 14001.pge, missing
  book.LoadPage("14101.pge", 0, &dc_);
  EXPECT_EQ(book.m_nItems, 0);
  EXPECT_EQ(book.m_pPagePicture, nullptr);
}

TEST_F(BookTest, NamesWithoutNulAreCutAtTheirFieldSize) {
  lk::Bytes bytes = lk::pageFile(page("14101.pge", "", "")).bytes;
  for (size_t i = 1; i < 1027; i++) bytes[i] = 'A';
  writeRaw("14101.pge", bytes);
  CLessonBook& book = makeBook();
  book.OpenLesson(0, &dc_);
  EXPECT_EQ(book.m_strPrevFile.GetLength(), 13);
  EXPECT_EQ(book.m_strNextFile.GetLength(), 13);
  EXPECT_EQ(book.m_strPageInfo.GetLength(), 1000);
}

TEST_F(BookTest, LessonsButtonReturnsToTheMenuAndClearsThePage) {
  writeRaw("14101.pge", lk::pageFile(page("14101.pge", "", "", {silentItem(200, 100)})).bytes);
  CLessonBook& book = makeBook();
  book.OpenLesson(0, &dc_);
  book.Navigate(0, &dc_);
  EXPECT_FALSE(book.m_bPageShown);
  EXPECT_EQ(book.m_nItems, 0);
  EXPECT_EQ(book.m_items[0], nullptr);
  EXPECT_TRUE(book.m_strPageFile.IsEmpty());
  for (int i = 0; i < CLessonBook::kLesson1Button; i++)
    EXPECT_FALSE(book.m_buttons[i]->m_bVisible) << i;
  for (int i = CLessonBook::kLesson1Button; i < CLessonBook::kButtonCount; i++)
    EXPECT_TRUE(book.m_buttons[i]->m_bVisible) << i;
}
