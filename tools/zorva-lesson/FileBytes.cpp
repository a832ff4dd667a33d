#include "tools/zorva-lesson/FileBytes.h"

#include <fstream>
#include <iterator>

namespace zorva::builder {

FileBytes FileBytes::read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return FileBytes(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
}

std::string FileBytes::text(uint64_t at, uint64_t width) const {
  std::string out;
  for (uint64_t i = 0; i < width && at + i < bytes_.size() && bytes_[at + i] != 0; ++i) {
    out.push_back(static_cast<char>(bytes_[at + i]));
  }
  return out;
}

}  // namespace zorva::builder
