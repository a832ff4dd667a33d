// A whole ZORVADAT folder: built in memory as named files, changed at will, then written.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tools/lessonkit/DataFiles.h"

namespace zorva::lessonkit {

constexpr const char* kDataFolderName = "ZORVADAT";
constexpr const char* kStartupFileName = "DATA4.DAT";

struct Book {
  IndexedPicture title;
  std::vector<Page> pages;
};

// File name -> contents; a test may damage, add or remove files before writing.
struct FolderFiles {
  std::map<std::string, Bytes> files;
};

// DATA4.DAT from the title picture and one file per page under its file_name. Throws
// std::invalid_argument for a page without a file name or two pages with the same name.
FolderFiles buildFolder(const Book& book);

// Writes `parent`/ZORVADAT/<name> for every file, creating the folder. Throws
// std::runtime_error when a file cannot be written.
void writeFolder(const FolderFiles& folder, const std::filesystem::path& parent);
void writeFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace zorva::lessonkit
