// A real temporary folder for tests that write files, removed with everything in it at the end.
// Unlike DataFolder, the test does not run inside it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zorva::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorva-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    if (made != nullptr) path_ = made;
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string at(const std::string& relative) const { return path_ + "/" + relative; }

  void makeFolder(const std::string& relative) const {
    std::filesystem::create_directories(at(relative));
  }
  void writeFile(const std::string& relative, const std::string& contents) const {
    std::ofstream out(at(relative), std::ios::binary);
    out << contents;
  }

 private:
  std::string path_;
};

}  // namespace zorva::testing
