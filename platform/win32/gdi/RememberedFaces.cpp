#include "RememberedFaces.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace zorva::platform {
namespace fs = std::filesystem;
namespace {

// A memory larger than this is not ours.
constexpr std::uintmax_t kMemoryLimitBytes = 64 * 1024;

fs::path environmentPath(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value == '/' ? fs::path(value) : fs::path();
}

fs::path userCacheFolder() {
  if (fs::path cache = environmentPath("XDG_CACHE_HOME"); !cache.empty()) return cache;
  if (fs::path home = environmentPath("HOME"); !home.empty()) return home / ".cache";
  return {};
}

fs::path userConfigFolder() {
  if (fs::path config = environmentPath("XDG_CONFIG_HOME"); !config.empty()) return config;
  if (fs::path home = environmentPath("HOME"); !home.empty()) return home / ".config";
  return {};
}

bool newerThan(const fs::path& stamp, fs::file_time_type time) {
  std::error_code error;
  const fs::file_time_type stamped = fs::last_write_time(stamp, error);
  return !error && stamped > time;
}

// One line a face: pattern, index and path, separated by tabs (none of them holds a tab or a
// line break; a face that does is not remembered).
bool writable(const FaceFile& face) {
  const auto plain = [](const std::string& s) { return s.find_first_of("\t\n") == std::string::npos; };
  return !face.path.empty() && plain(face.pattern) && plain(face.path);
}

std::optional<FaceFile> parseLine(const std::string& line) {
  const size_t first = line.find('\t');
  const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
  if (second == std::string::npos) return std::nullopt;
  FaceFile face;
  face.pattern = line.substr(0, first);
  face.path = line.substr(second + 1);
  const std::string index = line.substr(first + 1, second - first - 1);
  if (index.empty() || index.size() > 4 || index.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  face.index = std::stoi(index);
  return face;
}

}  // namespace

fs::path facesMemoryFile() {
  if (std::getenv("FONTCONFIG_FILE") != nullptr || std::getenv("FONTCONFIG_PATH") != nullptr) return {};
  const fs::path cache = userCacheFolder();
  return cache.empty() ? fs::path() : cache / "zorva" / "stock-fonts";
}

std::vector<fs::path> fontconfigStamps() {
  std::vector<fs::path> stamps = {"/etc/fonts", "/etc/fonts/conf.d", "/etc/fonts/fonts.conf",
                                  "/var/cache/fontconfig"};
  if (fs::path cache = userCacheFolder(); !cache.empty()) stamps.push_back(cache / "fontconfig");
  if (fs::path config = userConfigFolder(); !config.empty()) {
    stamps.push_back(config / "fontconfig");
    stamps.push_back(config / "fontconfig" / "conf.d");
    stamps.push_back(config / "fontconfig" / "fonts.conf");
  }
  return stamps;
}

std::optional<std::vector<FaceFile>> recallFaces(const fs::path& memory, const std::vector<std::string>& patterns,
                                                 const std::vector<fs::path>& stamps) {
  std::error_code error;
  if (memory.empty() || !fs::is_regular_file(memory, error) || fs::file_size(memory, error) > kMemoryLimitBytes)
    return std::nullopt;
  const fs::file_time_type remembered = fs::last_write_time(memory, error);
  if (error) return std::nullopt;
  for (const fs::path& stamp : stamps)
    if (newerThan(stamp, remembered)) return std::nullopt;
  std::ifstream in(memory);
  std::vector<FaceFile> faces;
  for (std::string line; faces.size() < patterns.size() && std::getline(in, line);) {
    std::optional<FaceFile> face = parseLine(line);
    if (!face || face->pattern != patterns[faces.size()] || !fs::path(face->path).is_absolute() ||
        !fs::is_regular_file(face->path, error))
      return std::nullopt;
    faces.push_back(std::move(*face));
  }
  if (faces.size() != patterns.size()) return std::nullopt;
  return faces;
}

void rememberFaces(const fs::path& memory, const std::vector<FaceFile>& faces) {
  if (memory.empty()) return;
  std::ostringstream text;
  for (const FaceFile& face : faces) {
    if (!writable(face)) return;
    text << face.pattern << '\t' << face.index << '\t' << face.path << '\n';
  }
  std::error_code error;
  fs::create_directories(memory.parent_path(), error);
  if (error) return;
  // Written beside the memory and renamed over it: a start that reads meanwhile sees the old
  // memory or the new one, never a part.
  const fs::path partial = memory.string() + "." + std::to_string(::getpid());
  {
    std::ofstream out(partial, std::ios::trunc);
    out << text.str();
    if (!out.flush()) {
      fs::remove(partial, error);
      return;
    }
  }
  fs::rename(partial, memory, error);
  if (error) fs::remove(partial, error);
}

}  // namespace zorva::platform
