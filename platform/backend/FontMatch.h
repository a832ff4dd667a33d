// Which font file fontconfig chooses for a pattern: for the stock fonts drawn above the seam and
// for the message boxes a desktop draws in the same face.
#pragma once

#include <fontconfig/fontconfig.h>

#include <string>

namespace zorva::platform {

struct FontFileMatch {
  std::string path;  // empty: fontconfig found none
  int index = 0;     // the face within the file
};

// `pattern` in fontconfig's syntax ("sans-serif:weight=80"); `config` null: the current one.
FontFileMatch matchFontFile(FcConfig* config, const char* pattern);

}  // namespace zorva::platform
