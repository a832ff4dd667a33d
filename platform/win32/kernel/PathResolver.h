// Maps a path written the Win32 way onto the Linux file system.
#pragma once

#include <optional>
#include <string>

namespace zorva::platform {

// "\" and "/" both separate, repeated separators count as one, and each component that does not
// exist under its exact name is matched case-insensitively (ASCII) in its folder: an exact match
// wins, and among several case-insensitive matches the first in byte order. A drive letter
// ("C:") is not supported and gives nullopt. The last component may be missing (a file about to
// be created): it is then kept as written. Returns nullopt when a folder on the way cannot be
// found, or the path is empty.
std::optional<std::string> resolvePath(const std::string& win32Path);

// True when a relative name leads out of the current folder: through a link (followed to its
// end) or through "..". The program's data lives under the folder it runs in, so a data file that
// is a link to somewhere else is not one of its files. An absolute name never leads out;
// `resolved` is what resolvePath gave for `win32Path`.
bool leadsOutOfCurrentFolder(const std::string& win32Path, const std::string& resolved);

}  // namespace zorva::platform
