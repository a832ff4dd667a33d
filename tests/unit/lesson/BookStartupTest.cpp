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

// A page file must be a file of the course: a named pipe nobody writes to, a device, or a link
// leading out of the course folder is refused at once with the page message, and the program
// goes on; a link to a page inside the course is that page.
TEST_F(BookTest, PageFilesThatAreNotRegularFilesOfTheCourseAreRefusedAtOnce) {
  lk::Book data;
  data.title = lk::IndexedPicture::filled(50, 30, 2);
  data.pages = {page("14101.pge", "", "", {silentItem(200, 100)})};
  writeBook(data);
  const std::filesystem::path dir = folder_.dataDir();
  const std::filesystem::path outside = folder_.root().string() + "-outside.pge";
  std::filesystem::copy_file(dir / "14101.pge", outside);
  std::filesystem::rename(dir / "14101.pge", dir / "PAGE.PGE");
  std::filesystem::create_symlink("PAGE.PGE", dir / "14101.pge");
  ASSERT_EQ(::mkfifo((dir / "14201.pge").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "14301.pge");
  std::filesystem::create_symlink(outside, dir / "14401.pge");
  const struct {
    short lesson;
    const char* what;
    int items;
  } rows[] = {{0, "a link to a page inside the course", 1},
              {1, "a named pipe", 0},
              {2, "a link to a device", 0},
              {3, "a link to a page outside the course", 0}};
  CLessonBook& book = makeBook();
  for (const auto& row : rows) {
    zorva::testing::Watchdog watchdog(5, row.what);
    book.OpenLesson(row.lesson, &dc_);
    EXPECT_EQ(book.m_nItems, row.items) << row.what;
  }
  std::filesystem::remove(outside);
  ASSERT_EQ(desktop_->messageBoxes().size(), 3u);
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(desktop_->messageBoxes()[size_t(i)].text,
              "Can't find file 'ZORVADAT\\14" + std::to_string(i + 2) + "01.pge'") << rows[i + 1].what;
  }
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
