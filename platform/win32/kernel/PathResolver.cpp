#include "PathResolver.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <algorithm>
#include <vector>

namespace zorva::platform {
namespace {

std::vector<std::string> splitComponents(const std::string& path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool isFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.empty() ? "." : path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool equalsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca - 'A' + 'a');
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb - 'A' + 'a');
    if (ca != cb) return false;
  }
  return true;
}

// The first entry of `folder`, in byte order, whose name equals `name` ignoring case.
std::optional<std::string> findNoCase(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> best;
  while (dirent* entry = ::readdir(dir)) {
    std::string candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (equalsNoCase(candidate, name) && (!best || candidate < *best)) best = candidate;
  }
  ::closedir(dir);
  return best;
}

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder == "/") return "/" + name;
  return folder + "/" + name;
}

}  // namespace

std::optional<std::string> resolvePath(const std::string& win32Path) {
  std::vector<std::string> parts = splitComponents(win32Path);
  if (parts.empty()) return std::nullopt;
  if (parts.front().size() == 2 && parts.front()[1] == ':') return std::nullopt;
  std::string resolved = (win32Path[0] == '\\' || win32Path[0] == '/') ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    bool last = i + 1 == parts.size();
    std::string exact = join(resolved, part);
    if (part == "." || part == ".." || exists(exact)) {
      resolved = exact;
      continue;
    }
    std::optional<std::string> match = findNoCase(resolved, part);
    if (match) {
      resolved = join(resolved, *match);
    } else if (last && isFolder(resolved)) {
      resolved = exact;  // a file about to be created keeps its name as written
    } else {
      return std::nullopt;
    }
  }
  return resolved;
}

bool leadsOutOfCurrentFolder(const std::string& win32Path, const std::string& resolved) {
  if (win32Path.empty() || win32Path[0] == '\\' || win32Path[0] == '/') return false;
  char here[PATH_MAX], real[PATH_MAX];
  if (::getcwd(here, sizeof here) == nullptr) return true;
  if (::realpath(resolved.c_str(), real) == nullptr) {
    struct stat st;
    if (errno != ENOENT || ::lstat(resolved.c_str(), &st) == 0) return true;  // a link leading nowhere
    // Nothing there yet (a file about to be created): the folder it would go in decides.
    const size_t slash = resolved.rfind('/');
    return leadsOutOfCurrentFolder(win32Path, slash == std::string::npos ? "." : resolved.substr(0, slash));
  }
  const std::string folder = here, file = real;
  const std::string inside = folder == "/" ? folder : folder + "/";
  return file != folder && file.compare(0, inside.size(), inside) != 0;
}

}  // namespace zorva::platform
