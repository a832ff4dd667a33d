#include <sstream>

#include "tests/unit/builder/BuilderFixture.h"
#include "tools/lessonkit/Lessonkit.h"
#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/Checker.h"

using namespace zorva;

namespace {

lessonkit::Item item(int left, int top, int head, int next, size_t samples) {
  lessonkit::Item it;
  it.audio = {left, top, left + 100, top + 20};
  it.role = {left - 20, top, left - 4, top + 20};
  it.role_head = head;
  it.next_in_role = next;
  it.name = "clip";
  it.samples.assign(samples, 1000);
  return it;
}

lessonkit::Book twoPageBook() {
  lessonkit::Book book;
  book.title = lessonkit::IndexedPicture::filled(40, 30, 1);
  for (int p = 1; p <= 2; ++p) {
    lessonkit::Page page;
    page.file_name = builder::pageFileName(1, p);
    page.prev_name = p == 2 ? "14101.pge" : "";
    page.next_name = p == 1 ? "14102.pge" : "";
    page.info = "page " + std::to_string(p);
    page.picture = lessonkit::IndexedPicture::filled(300, 200, 2);
    page.items = {item(140, 20, 0, 2, 500), item(140, 50, -1, -1, 0), item(140, 80, 0, -1, 300)};
    book.pages.push_back(page);
  }
  lessonkit::Page contents;
  contents.file_name = builder::pageFileName(0, 1);
  contents.next_name = "14101.pge";
  contents.picture = lessonkit::IndexedPicture::filled(300, 200, 3);
  book.pages.push_back(contents);
  return book;
}

struct Checked {
  builder::CheckResult result;
  std::string report;
};

}  // namespace

class CheckerTest : public BuilderFolder {
 protected:
  Checked check(const lessonkit::FolderFiles& files) {
    lessonkit::writeFolder(files, root_);
    std::ostringstream out;
    Checked checked{builder::checkLessonFolder(root_.string(), out), ""};
    checked.report = out.str();
    return checked;
  }
  static bool mentions(const Checked& c, const std::string& file, const std::string& what) {
    for (const auto& p : c.result.problems) {
      if (p.file == file && p.what.find(what) != std::string::npos) return true;
    }
    return false;
  }
};

TEST_F(CheckerTest, SoundFolderPassesAndReportsEveryPage) {
  const Checked c = check(lessonkit::buildFolder(twoPageBook()));
  EXPECT_EQ(builder::checkExitStatus(c.result), 0) << c.report;
  EXPECT_EQ(c.result.pages, 3);
  EXPECT_NE(c.report.find("sound: 0 problem(s) in 3 page(s)"), std::string::npos) << c.report;
  EXPECT_NE(c.report.find("role chain 0 -> 2"), std::string::npos) << c.report;
  EXPECT_NE(c.report.find("audio (140,20)-(240,40)"), std::string::npos) << c.report;
  EXPECT_NE(c.report.find("recording 116666 bytes"), std::string::npos) << "an item without a clip";
}

// Each damage is reported with the file it lies in.
TEST_F(CheckerTest, DamagedCopiesAreReported) {
  struct Row {
    const char* label;
    void (*damage)(lessonkit::FolderFiles&);
    const char* file;
    const char* what;
  };
  const Row rows[] = {
      {"next page missing", [](lessonkit::FolderFiles& f) { f.files.erase("14102.pge"); }, "14102.pge", "missing"},
      {"contents page missing", [](lessonkit::FolderFiles& f) { f.files.erase("14001.pge"); }, "14001.pge",
       "the contents page is missing"},
      {"circular role chain",
       [](lessonkit::FolderFiles& f) {
         auto& bytes = f.files["14101.pge"];
         const lessonkit::PageFile layout = lessonkit::pageFile(twoPageBook().pages[0]);
         bytes[layout.record_at[2] + 18] = 0;  // item 2 leads back to item 0
         bytes[layout.record_at[2] + 19] = 0;
       },
       "14101.pge", "circle"},
      {"clip not AIFF",
       [](lessonkit::FolderFiles& f) {
         const lessonkit::PageFile layout = lessonkit::pageFile(twoPageBook().pages[0]);
         f.files["14101.pge"][layout.clip_at[0]] = 'X';
       },
       "14101.pge", "does not begin with \"FORM\": Zorva shows \"Not an AIFF file\""},
      {"too many items",
       [](lessonkit::FolderFiles& f) {
         const lessonkit::PageFile layout = lessonkit::pageFile(twoPageBook().pages[1]);
         f.files["14102.pge"][layout.count_at] = 61;
       },
       "14102.pge", "more than 60"},
      {"information line in UTF-8",
       [](lessonkit::FolderFiles& f) {
         const std::string info = "Seite 1 – Übung";  // the bytes a UTF-8 editor writes
         std::copy(info.begin(), info.end(), f.files["14102.pge"].begin() + lessonkit::kPageInfoAt);
       },
       "14102.pge", "holds UTF-8 text"},
      {"start-up file cut short", [](lessonkit::FolderFiles& f) { f.files["DATA4.DAT"].resize(100); }, "DATA4.DAT",
       "shorter"},
  };
  for (const Row& row : rows) {
    std::filesystem::remove_all(root_ / "ZORVADAT");
    lessonkit::FolderFiles files = lessonkit::buildFolder(twoPageBook());
    row.damage(files);
    const Checked c = check(files);
    EXPECT_EQ(builder::checkExitStatus(c.result), 1) << row.label;
    EXPECT_TRUE(mentions(c, row.file, row.what)) << row.label << "\n" << c.report;
  }
}

// A folder that can't be read is said so once, without a page count that would suggest a check.
TEST_F(CheckerTest, UnreadableFolderIsReportedOnce) {
  write("plain-file", "x");
  const std::pair<std::string, std::string> rows[] = {
      {"nothing", ": No such file or directory\n"},
      {"plain-file", ": not a folder\n"},
      {"plain-file/ZORVADAT", ": Not a directory\n"},
  };
  for (const auto& [name, reason] : rows) {
    std::ostringstream out;
    const auto result = builder::checkLessonFolder((root_ / name).string(), out);
    EXPECT_EQ(builder::checkExitStatus(result), 2) << name;
    EXPECT_EQ(out.str(), "can't read folder " + (root_ / name).string() + reason);
  }
}
