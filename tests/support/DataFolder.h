// A temporary folder holding a ZORVADAT written with lessonkit; the test runs inside it (the
// current directory is changed for the fixture's life and restored afterwards), so the program
// finds ZORVADAT where it looks for it.
#pragma once

#include <filesystem>
#include <string>

#include "tools/lessonkit/Lessonkit.h"

namespace zorva::testing {

class DataFolder {
 public:
  // An empty folder (no ZORVADAT): the "data missing" case.
  DataFolder();
  explicit DataFolder(const lessonkit::Book& book);
  explicit DataFolder(const lessonkit::FolderFiles& files);
  ~DataFolder();
  DataFolder(const DataFolder&) = delete;
  DataFolder& operator=(const DataFolder&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path dataDir() const { return root_ / lessonkit::kDataFolderName; }
  // Adds or replaces one file of ZORVADAT.
  void writeDataFile(const std::string& name, const lessonkit::Bytes& bytes) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path previous_dir_;
};

// A small book for tests: a title picture and one page "14101.pge" with two items.
lessonkit::Book sampleBook();

constexpr int kSentenceSamples = 22050;  // one second
// Sentence `slot` (0 to 2) of a dialogue down a 400x300 page, a second of samples at `level`:
// sentences 1 and 3 are one speaker's (a chain from item 0 to item 2), sentence 2 the other's.
lessonkit::Item dialogueSentence(int slot, int16_t level);

}  // namespace zorva::testing
