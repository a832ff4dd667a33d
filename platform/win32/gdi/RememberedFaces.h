// Which font file each stock face uses, remembered between runs: looking the faces up with
// fontconfig costs several milliseconds of processor time at every start, while the desktop
// is busy showing the first window. The memory is trusted only while fontconfig's own
// configuration and caches are older than it, so installing or removing fonts, or changing
// the configuration, makes the next start look the faces up again.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zorva::platform {

struct FaceFile {
  std::string pattern;  // the fontconfig pattern the face was chosen for
  std::string path;     // empty: fontconfig found none
  int index = 0;
};

// Where the memory lives: $XDG_CACHE_HOME/zorva/stock-fonts, else ~/.cache/zorva/stock-fonts;
// empty when neither can be named, or when FONTCONFIG_FILE or FONTCONFIG_PATH give fontconfig
// a configuration of their own (its answers may then differ from run to run).
std::filesystem::path facesMemoryFile();

// The faces remembered in `memory` for `patterns`, in their order; nothing when the memory is
// missing, damaged, for other patterns, older than anything in `stamps`, or names a font file
// that is no longer there.
std::optional<std::vector<FaceFile>> recallFaces(const std::filesystem::path& memory,
                                                 const std::vector<std::string>& patterns,
                                                 const std::vector<std::filesystem::path>& stamps);

// Writes `faces` into `memory` as a whole (a reader never sees half of it); faces that
// fontconfig did not find are not remembered, so the next start asks again. Failing to write
// is not an error: the faces are then looked up again next time.
void rememberFaces(const std::filesystem::path& memory, const std::vector<FaceFile>& faces);

// Fontconfig's configuration and cache folders: when one is newer than the memory, fonts or
// their configuration changed.
std::vector<std::filesystem::path> fontconfigStamps();

}  // namespace zorva::platform
