#include "tests/fuzz/FuzzWorkspace.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/fuzz/FuzzSeeds.h"

namespace zorva::fuzz {

namespace {

const std::filesystem::path& workingFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorva-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a fuzz folder");
    const std::filesystem::path made = pattern;
    std::filesystem::create_directories(made / "ZORVADAT");
    std::filesystem::current_path(made);
    // The folder goes when the run ends, whichever way it ends normally.
    static const std::string keep = made.string();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(keep, ignored);
    });
    return made;
  }();
  return folder;
}

}  // namespace

InputScope::InputScope() {
  workingFolder();
  platform::HeadlessBackend::install().setWorkArea(platform::ScreenRect{0, 0, 640, 480});
}

InputScope::~InputScope() {
  platform::installDesktopBackend(nullptr);
  platform::installAudioBackend(nullptr);
}

void writeDataFile(const std::string& name, std::span<const uint8_t> bytes) {
  std::ofstream out(workingFolder() / "ZORVADAT" / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void removeDataFile(const std::string& name) {
  std::error_code ignored;
  std::filesystem::remove(workingFolder() / "ZORVADAT" / name, ignored);
}

ViewSurface::ViewSurface(int width, int height) {
  dc.CreateCompatibleDC(NULL);
  bitmap_.CreateBitmap(width, height, 1, 32, NULL);
  dc.SelectObject(&bitmap_);
}

void writeStartupOrPage(InputReader& in) {
  if ((in.byte() & 1) != 0) {
    writeDataFile("DATA4.DAT", in.rest());
    removeDataFile("14101.pge");
  } else {
    static const lessonkit::Bytes good_startup = goodStartupFile();
    writeDataFile("DATA4.DAT", good_startup);
    writeDataFile("14101.pge", in.rest());
  }
}

uint8_t InputReader::byte() { return at_ < data_.size() ? data_[at_++] : 0; }

uint32_t InputReader::u32() {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(byte()) << (8 * i);
  return v;
}

}  // namespace zorva::fuzz
