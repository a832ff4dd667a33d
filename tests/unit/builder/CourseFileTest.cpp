// A course as one file: `pack` writes it, `install` and `open` unpack it into a temporary folder;
// a damaged or hostile file is refused with its reason, and nothing outside that folder changes.
#include <archive.h>
#include <archive_entry.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <vector>

#include "tests/unit/builder/BuilderFixture.h"
#include "tools/zorva-lesson/course/CourseCommands.h"
#include "tools/zorva-lesson/course/CoursePacker.h"
#include "tools/zorva-lesson/course/UnpackedCourse.h"

namespace zorva::builder {
namespace {

namespace fs = std::filesystem;

struct Member {
  std::string path;
  mode_t type = AE_IFREG;
  std::string data;
  std::string symlink;
  std::string hardlink;
  int64_t declared_size = -1;  // -1: the data's size
};

Member file(const std::string& path, const std::string& data, int64_t declared_size = -1) {
  return Member{path, AE_IFREG, data, "", "", declared_size};
}
Member special(const std::string& path, mode_t type) { return Member{path, type, "", "", "", -1}; }
Member link(const std::string& path, const std::string& symlink, const std::string& hardlink) {
  return Member{path, symlink.empty() ? mode_t(AE_IFREG) : mode_t(AE_IFLNK), "", symlink, hardlink, 0};
}

// Writes the members as a tar archive, gzip-compressed or not. A member declaring more than it
// holds ends the archive there, cut off, as a damaged download would be.
void writeArchive(const fs::path& file, const std::vector<Member>& members, bool gzip = true) {
  std::vector<char> buffer(1 << 20);
  size_t used = 0;
  archive* writer = archive_write_new();
  if (gzip) archive_write_add_filter_gzip(writer);
  archive_write_set_format_pax_restricted(writer);
  archive_write_set_bytes_per_block(writer, 0);
  archive_write_open_memory(writer, buffer.data(), buffer.size(), &used);
  for (const Member& member : members) {
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, member.path.c_str());
    archive_entry_set_filetype(entry, member.type);
    archive_entry_set_perm(entry, 0644);
    archive_entry_set_size(entry, member.declared_size >= 0 ? member.declared_size : member.data.size());
    if (!member.symlink.empty()) archive_entry_set_symlink(entry, member.symlink.c_str());
    if (!member.hardlink.empty()) archive_entry_set_hardlink(entry, member.hardlink.c_str());
    archive_write_header(writer, entry);
    archive_write_data(writer, member.data.data(), member.data.size());
    archive_entry_free(entry);
  }
  archive_write_free(writer);  // fails once the buffer is full: the cut-off archive
  std::ofstream(file, std::ios::binary).write(buffer.data(), static_cast<std::streamsize>(used));
}

class CourseFileTest : public BuilderFolder {
 protected:
  void SetUp() override {
    saved_tmpdir_ = saved("TMPDIR");
    saved_xdg_ = saved("XDG_DATA_HOME");
    fs::create_directories(root_ / "tmp");
    setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  void TearDown() override {
    restore("TMPDIR", saved_tmpdir_);
    restore("XDG_DATA_HOME", saved_xdg_);
  }
  static void restore(const char* name, const std::optional<std::string>& value) {
    if (value) setenv(name, value->c_str(), 1); else unsetenv(name);
  }
  static std::optional<std::string> saved(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  void put(const std::string& name, const std::string& text) {
    fs::create_directories((root_ / name).parent_path());
    write(name, text);
  }
  std::string contents(const fs::path& file) const {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  const fs::path current_ = root_ / "data/zorva/course/ZORVADAT";

 private:
  std::optional<std::string> saved_tmpdir_;
  std::optional<std::string> saved_xdg_;
};

TEST_F(CourseFileTest, PackedCourseInstallsAndUnpacksAsItWas) {
  put("mine/ZORVADAT/DATA4.DAT", "title");
  put("mine/ZORVADAT/14101.pge", std::string(300000, 'p'));
  ASSERT_EQ(packCourseCommand((root_ / "mine").string(), path("mine.zorva")), 0);
  ASSERT_EQ(installAnyCourse(path("mine.zorva")), 0);
  EXPECT_EQ(contents(current_ / "DATA4.DAT"), "title");
  EXPECT_EQ(contents(current_ / "14101.pge"), std::string(300000, 'p'));
  EXPECT_TRUE(fs::is_empty(root_ / "tmp")) << "the unpacked copy is removed";

  put("linked/ZORVADAT/DATA4.DAT", "title");
  fs::create_symlink("/etc/passwd", root_ / "linked/ZORVADAT/14101.pge");
  EXPECT_EQ(packCourseCommand((root_ / "linked").string(), path("linked.zorva")), 1) << "a link is not packed";
  EXPECT_FALSE(fs::exists(root_ / "linked.zorva"));
}

TEST_F(CourseFileTest, DamagedOrHostileFilesAreRefusedAndChangeNothing) {
  put("data/zorva/course/ZORVADAT/DATA4.DAT", "current");
  const std::string victim = (root_ / "victim").string();
  const Member title = file("ZORVADAT/DATA4.DAT", "new title");
  const Member folder = special("ZORVADAT/", AE_IFDIR);
  struct Row {
    const char* what;
    std::vector<Member> members;
    const char* reason;  // in the message
    bool gzip = true;
  };
  const std::vector<Row> rows = {
      {"an absolute path", {folder, title, file(victim, "x")}, "outside the course"},
      {"a path that climbs out", {folder, title, file("ZORVADAT/../../victim", "x")}, "outside the course"},
      {"a path beside the course folder", {title, file("other/14101.pge", "x")}, "outside the course"},
      {"a symbolic link", {folder, link("ZORVADAT/DATA4.DAT", victim, "")}, "is a link to"},
      {"a hard link", {folder, title, link("ZORVADAT/14101.pge", "", "/etc/passwd")}, "is a link to"},
      {"a character device", {folder, title, special("ZORVADAT/14101.pge", AE_IFCHR)}, "not a plain file"},
      {"a pipe", {folder, title, special("ZORVADAT/14101.pge", AE_IFIFO)}, "not a plain file"},
      {"a folder inside the course", {folder, title, special("ZORVADAT/pages/", AE_IFDIR)}, "a folder inside"},
      {"a name given twice", {folder, title, title}, "appears twice"},
      {"a compression bomb", {folder, title, file("ZORVADAT/14101.pge", std::string(24 << 20, '\0'))},
       "compression bomb"},
      {"a 10 GB member", {folder, title, file("ZORVADAT/14101.pge", "", 10ll << 30)}, "more than a", false},
      {"an archive cut off", {folder, title, file("ZORVADAT/14101.pge", "page", 4 << 20)}, "damaged", false},
      {"no start-up file", {folder, file("ZORVADAT/14101.pge", "page")}, "holds no ZORVADAT/DATA4.DAT"},
  };
  for (const Row& row : rows) {
    const std::string file = path("hostile.zorva");
    writeArchive(file, row.members, row.gzip);
    EXPECT_EQ(installAnyCourse(file), 1) << row.what;
    try {
      const UnpackedCourse unpacked(file);
      ADD_FAILURE() << row.what << ": unpacked";
    } catch (const ArchiveError& error) {
      EXPECT_NE(std::string(error.what()).find(row.reason), std::string::npos) << row.what << ": " << error.what();
    }
    EXPECT_EQ(contents(current_ / "DATA4.DAT"), "current") << row.what;
    EXPECT_EQ(std::distance(fs::directory_iterator(current_), fs::directory_iterator{}), 1) << row.what;
    EXPECT_FALSE(fs::exists(victim)) << row.what;
    EXPECT_TRUE(fs::is_empty(root_ / "tmp")) << row.what << ": the temporary folder is removed";
  }
  write("not-an-archive.zorva", "just text, no archive");
  EXPECT_EQ(installAnyCourse(path("not-an-archive.zorva")), 1);
  EXPECT_EQ(contents(current_ / "DATA4.DAT"), "current");
}

}  // namespace
}  // namespace zorva::builder
