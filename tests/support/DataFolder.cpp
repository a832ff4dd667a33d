#include "tests/support/DataFolder.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace zorva::testing {

namespace {

std::filesystem::path makeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zorva-data-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  return pattern;
}

}  // namespace

DataFolder::DataFolder() : root_(makeTempDir()), previous_dir_(std::filesystem::current_path()) {
  std::filesystem::current_path(root_);
}

DataFolder::DataFolder(const lessonkit::Book& book) : DataFolder(lessonkit::buildFolder(book)) {}

DataFolder::DataFolder(const lessonkit::FolderFiles& files) : DataFolder() {
  lessonkit::writeFolder(files, root_);
}

DataFolder::~DataFolder() {
  std::error_code ignored;
  std::filesystem::current_path(previous_dir_, ignored);
  std::filesystem::remove_all(root_, ignored);
}

void DataFolder::writeDataFile(const std::string& name, const lessonkit::Bytes& bytes) const {
  std::filesystem::create_directories(dataDir());
  lessonkit::writeFile(dataDir() / name, bytes);
}

lessonkit::Item dialogueSentence(int slot, int16_t level) {
  lessonkit::Item item;
  item.audio = {200, 40 + 40 * slot, 380, 70 + 40 * slot};
  item.role = {180, 40 + 40 * slot, 195, 70 + 40 * slot};
  item.role_head = slot == 1 ? 1 : 0;
  item.next_in_role = slot == 0 ? 2 : -1;
  item.name = "sentence";
  item.samples.assign(kSentenceSamples, level);
  return item;
}

lessonkit::Book sampleBook() {
  lessonkit::Book book;
  book.title = lessonkit::IndexedPicture::filled(40, 30, 1);
  book.title.setColour(1, 10, 20, 30);
  for (int x = 0; x < 40; ++x) book.title.at(x, 0) = 2;
  book.title.setColour(2, 200, 100, 50);

  lessonkit::Page page;
  page.file_name = "14101.pge";
  page.next_name = "14102.PGE";
  page.info = "Lesson 1, page 1";
  page.picture = lessonkit::IndexedPicture::filled(50, 40, 3);
  page.picture.setColour(3, 0, 128, 255);
  lessonkit::Item first;
  first.audio = {120, 10, 200, 30};
  first.role = {112, 10, 118, 30};
  first.role_head = 0;
  first.next_in_role = 1;
  first.name = "first";
  first.samples = {0, 1000, -1000, 32767, -32768};
  lessonkit::Item second = first;
  second.audio = {120, 40, 200, 60};
  second.role = {112, 40, 118, 60};
  second.next_in_role = -1;
  second.name = "second";
  second.samples = {7, -7};
  page.items = {first, second};
  book.pages.push_back(page);
  return book;
}

}  // namespace zorva::testing
