#include "platform/backend/FontMatch.h"

namespace zorva::platform {

FontFileMatch matchFontFile(FcConfig* config, const char* pattern) {
  FontFileMatch found;
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
  if (pat == nullptr) return found;
  FcConfigSubstitute(config, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pat, &result);
  FcChar8* path = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
    found.path = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &found.index) != FcResultMatch) found.index = 0;
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pat);
  return found;
}

}  // namespace zorva::platform
