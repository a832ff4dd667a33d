#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/unit/builder/BuilderFixture.h"
#include "tools/lessonkit/Lessonkit.h"
#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/Checker.h"
#include "tools/zorva-lesson/FileBytes.h"

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

// Page 1's picture, as its PCX header and rows lie in the file.
size_t firstPicture() { return lessonkit::pageFile(twoPageBook().pages[0]).picture_at; }

void setNextName(lessonkit::FolderFiles& f, const std::string& name) {
  auto& bytes = f.files["14101.pge"];
  std::fill_n(bytes.begin() + lessonkit::kPageNextAt, lessonkit::kPageNameSize, 0);
  std::copy(name.begin(), name.end(), bytes.begin() + lessonkit::kPageNextAt);
}

struct Checked {
  builder::CheckResult result;
  std::string report;
};

}  // namespace

class CheckerTest : public BuilderFolder {
 protected:
  // `onDisk` changes the written folder in ways the file map cannot hold (folders, links, pipes).
  Checked check(const lessonkit::FolderFiles& files, void (*onDisk)(const std::filesystem::path&) = nullptr) {
    lessonkit::writeFolder(files, root_);
    if (onDisk != nullptr) onDisk(root_ / "ZORVADAT");
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
    void (*onDisk)(const std::filesystem::path& data) = nullptr;  // after the files are written
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
      // Names are taken inside the data folder and only regular files of a bounded size are read.
      {"previous name '.'",
       [](lessonkit::FolderFiles& f) { f.files["14102.pge"][lessonkit::kPagePrevAt] = '.'; f.files["14102.pge"][2] = 0; },
       "14102.pge", "names no file"},
      {"next name '/'", [](lessonkit::FolderFiles& f) { setNextName(f, "/"); }, "/", "names no file"},
      {"next name '/dev/zero' stays inside the folder", [](lessonkit::FolderFiles& f) { setNextName(f, "/dev/zero"); },
       "/dev/zero", "missing"},
      {"next name climbing out", [](lessonkit::FolderFiles& f) { setNextName(f, "..\\..\\etc"); }, "..\\..\\etc",
       "leads out"},
      {"next name a folder", [](lessonkit::FolderFiles& f) { setNextName(f, "SUB"); }, "SUB", "folder",
       [](const std::filesystem::path& data) { std::filesystem::create_directory(data / "sub"); }},
      {"next name a link to a device", [](lessonkit::FolderFiles& f) { setNextName(f, "ZERO"); }, "ZERO",
       "is a link leading out of the course",
       [](const std::filesystem::path& data) { std::filesystem::create_symlink("/dev/zero", data / "zero"); }},
      {"next name a pipe nobody writes to", [](lessonkit::FolderFiles& f) { setNextName(f, "PIPE"); }, "PIPE",
       "is a named pipe", [](const std::filesystem::path& data) { ASSERT_EQ(::mkfifo((data / "pipe").c_str(), 0600), 0); }},
      {"next name a link to a file beside the course", [](lessonkit::FolderFiles& f) { setNextName(f, "OUT"); }, "OUT",
       "is a link leading out of the course",
       [](const std::filesystem::path& data) {
         std::ofstream(data.parent_path() / "elsewhere") << "not a page of the course";
         std::filesystem::create_symlink("../elsewhere", data / "out");
       }},
      {"page file over the size limit", [](lessonkit::FolderFiles&) {}, "14102.pge",
       "the page file is 129 MB, more than the 128 MB",
       [](const std::filesystem::path& data) {
         std::filesystem::resize_file(data / "14102.pge", builder::kMaxDataFileBytes + 1);
       }},
      // Pages Zorva would draw wrongly or could not hold in memory.
      {"picture rows shorter than its width",
       [](lessonkit::FolderFiles& f) { lessonkit::putLe16(f.files["14101.pge"], firstPicture() + 8, 29999); },
       "14101.pge", "shorter than the picture's width"},
      {"24-bit picture", [](lessonkit::FolderFiles& f) { f.files["14101.pge"][firstPicture() + 3] = 24; }, "14101.pge",
       "8-bit"},
      {"picture pixels over the bound",
       [](lessonkit::FolderFiles& f) {
         lessonkit::putLe16(f.files["14101.pge"], firstPicture() + 8, 19999);
         lessonkit::putLe16(f.files["14101.pge"], firstPicture() + 10, 19999);
         lessonkit::putLe16(f.files["14101.pge"], firstPicture() + 66, 20000);
       },
       "14101.pge", "32 MB"},
      {"picture rows cut short",
       [](lessonkit::FolderFiles& f) { lessonkit::putLe16(f.files["14101.pge"], firstPicture() + 10, 999); },
       "14101.pge", "ends in row"},
      {"picture palette missing",
       [](lessonkit::FolderFiles& f) {
         const lessonkit::PageFile layout = lessonkit::pageFile(twoPageBook().pages[0]);
         f.files["14101.pge"][layout.picture_at + layout.picture_size - 769] = 0;
       },
       "14101.pge", "palette"},
      {"clip claiming 1.7 GB",
       [](lessonkit::FolderFiles& f) {
         const lessonkit::PageFile layout = lessonkit::pageFile(twoPageBook().pages[0]);
         lessonkit::putLe32(f.files["14101.pge"], layout.record_at[0] + 88, 1700000000u);
       },
       "14101.pge", "outside the file"},
      {"audio rectangle larger than the view",
       [](lessonkit::FolderFiles& f) {
         const lessonkit::PageFile layout = lessonkit::pageFile(twoPageBook().pages[1]);
         lessonkit::putLe16(f.files["14102.pge"], layout.record_at[1] + 12, 16384);
       },
       "14102.pge", "larger than the 1024x716 view"},
      {"negative item count",
       [](lessonkit::FolderFiles& f) {
         const lessonkit::PageFile layout = lessonkit::pageFile(twoPageBook().pages[1]);
         lessonkit::putLe16(f.files["14102.pge"], layout.count_at, 0xFFFF);
       },
       "14102.pge", "negative"},
  };
  for (const Row& row : rows) {
    std::filesystem::remove_all(root_ / "ZORVADAT");
    lessonkit::FolderFiles files = lessonkit::buildFolder(twoPageBook());
    row.damage(files);
    const Checked c = check(files, row.onDisk);
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
