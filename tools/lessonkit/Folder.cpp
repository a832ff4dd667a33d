#include "tools/lessonkit/Folder.h"

#include <fstream>
#include <stdexcept>

namespace zorva::lessonkit {

FolderFiles buildFolder(const Book& book) {
  FolderFiles out;
  out.files[kStartupFileName] = startupFile(encodePcx(book.title)).bytes;
  for (const Page& page : book.pages) {
    if (page.file_name.empty()) throw std::invalid_argument("page without a file name");
    if (out.files.count(page.file_name) != 0) {
      throw std::invalid_argument("two files named " + page.file_name);
    }
    out.files[page.file_name] = pageFile(page).bytes;
  }
  return out;
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (f) f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path.string());
}

void writeFolder(const FolderFiles& folder, const std::filesystem::path& parent) {
  const std::filesystem::path dir = parent / kDataFolderName;
  std::filesystem::create_directories(dir);
  for (const auto& [name, bytes] : folder.files) writeFile(dir / name, bytes);
}

}  // namespace zorva::lessonkit
