#include "FontFace.h"

#include "RememberedFaces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <filesystem>
#include <future>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

#include "platform/backend/FontMatch.h"

namespace zorva::platform {
namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned codePoint(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c; }

struct FaceChoice {
  const char* pattern;
  int line_height;
};

constexpr FaceChoice kFaceChoices[] = {
    {"sans-serif:weight=80", 13},  // ANSI_VAR_FONT, the dialog font
    {"sans-serif:weight=200", 16},            // SYSTEM_FONT: bold
    {"monospace:weight=80", 13},              // ANSI_FIXED_FONT
    {"monospace:weight=80", 16},              // SYSTEM_FIXED_FONT
};
constexpr size_t kFaceCount = std::size(kFaceChoices);

using FaceFiles = std::vector<FaceFile>;

FaceFile findFontFile(FcConfig* config, const char* pattern) {
  const FontFileMatch match = matchFontFile(config, pattern);
  return FaceFile{pattern, match.path, match.index};
}

// Loading fontconfig's configuration takes several milliseconds, so the faces' files are
// remembered from the last run while fontconfig's setup is unchanged. Otherwise every stock
// face's file is found with one configuration, loaded for it and destroyed afterwards: nothing of
// fontconfig's global state is kept or torn down, so a process that also lays out text with
// fontconfig (the lesson builder's tests) keeps its own caches.
FaceFiles findFaceFiles() {
  std::vector<std::string> patterns;
  for (const FaceChoice& choice : kFaceChoices) patterns.emplace_back(choice.pattern);
  const std::filesystem::path memory = facesMemoryFile();
  if (std::optional<FaceFiles> remembered = recallFaces(memory, patterns, fontconfigStamps())) return *remembered;
  FaceFiles files(kFaceCount);
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return files;
  for (size_t i = 0; i < kFaceCount; ++i) files[i] = findFontFile(config, kFaceChoices[i].pattern);
  FcConfigDestroy(config);
  rememberFaces(memory, files);
  return files;
}

std::shared_future<FaceFiles>& faceFilesLookup() {
  static std::shared_future<FaceFiles> lookup;
  return lookup;
}

}  // namespace

void prepareStockFonts() {
  std::shared_future<FaceFiles>& lookup = faceFilesLookup();
  if (lookup.valid()) return;
  try {
    lookup = std::async(std::launch::async, findFaceFiles).share();
  } catch (const std::system_error&) {
    lookup = std::async(std::launch::deferred, findFaceFiles).share();  // no thread: at first use
  }
}

FontFace* FontFace::get(FontFaceId id) {
  static std::array<std::unique_ptr<FontFace>, 4> faces;
  static std::array<bool, 4> tried{};
  const int i = static_cast<int>(id);
  if (i < 0 || i >= 4) return nullptr;
  if (!tried[i]) {
    tried[i] = true;
    std::unique_ptr<FontFace> f(new FontFace());
    prepareStockFonts();
    const FaceFile& file = faceFilesLookup().get()[static_cast<size_t>(i)];
    if (!file.path.empty() && f->open(file.path, file.index, kFaceChoices[i].pattern, kFaceChoices[i].line_height))
      faces[i] = std::move(f);
  }
  return faces[i].get();
}

FontFace::~FontFace() {
  if (face_ != nullptr) FT_Done_Face(static_cast<FT_Face>(face_));
  if (library_ != nullptr) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

bool FontFace::open(const std::string& file, int index, const char* pattern, int line_height) {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib) != 0) return false;
  library_ = lib;
  FT_Face face = nullptr;
  if (FT_New_Face(lib, file.c_str(), index, &face) != 0) return false;
  face_ = face;
  // The largest pixel size whose ascender and descender fit in the line.
  int chosen = 0;
  for (int px = line_height + 4; px >= 4 && chosen == 0; --px) {
    if (FT_Set_Pixel_Sizes(face, 0, px) != 0) continue;
    const long asc = (face->size->metrics.ascender + 63) >> 6;
    const long desc = (-face->size->metrics.descender + 63) >> 6;
    if (asc + desc <= line_height) chosen = px;
  }
  if (chosen == 0) return false;
  FT_Set_Pixel_Sizes(face, 0, chosen);
  metrics_.height = line_height;
  metrics_.ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
  metrics_.descent = line_height - metrics_.ascent;
  metrics_.internal_leading = line_height - chosen;
  metrics_.fixed_pitch = FT_IS_FIXED_WIDTH(face);
  metrics_.weight = std::string(pattern).find("weight=200") != std::string::npos ? 700 : 400;
  return true;
}

const FontMetrics& FontFace::fullMetrics() {
  if (widths_known_) return metrics_;
  widths_known_ = true;
  int sum = 0;
  for (char c = 'a'; c <= 'z'; ++c) sum += glyph(static_cast<unsigned char>(c)).advance;
  for (char c = 'A'; c <= 'Z'; ++c) sum += glyph(static_cast<unsigned char>(c)).advance;
  metrics_.average_width = (sum / 26 + 1) / 2;
  for (int c = 32; c < 256; ++c)
    metrics_.max_width = std::max(metrics_.max_width, glyph(static_cast<unsigned char>(c)).advance);
  return metrics_;
}

const Glyph& FontFace::glyph(unsigned char c) {
  Glyph& g = glyphs_[c];
  if (g.loaded) return g;
  g.loaded = true;
  auto face = static_cast<FT_Face>(face_);
  const FT_UInt index = FT_Get_Char_Index(face, codePoint(c));
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return g;
  const FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
    return g;
  g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  const FT_Bitmap& bm = slot->bitmap;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.rows = static_cast<int>(bm.rows);
  g.mask.assign(static_cast<size_t>(g.width) * g.rows, 0);
  for (int y = 0; y < g.rows; ++y) {
    const unsigned char* row = bm.buffer + static_cast<long>(y) * bm.pitch;
    for (int x = 0; x < g.width; ++x) {
      const bool ink = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x / 8] >> (7 - x % 8)) & 1
                                                           : row[x] >= 128;
      g.mask[static_cast<size_t>(y) * g.width + x] = ink ? 1 : 0;
    }
  }
  return g;
}

int FontFace::width(std::string_view text) {
  int w = 0;
  for (unsigned char c : text) w += glyph(c).advance;
  return w;
}

PixelRect FontFace::paint(Surface& s, const ClipList& clips, int x, int y, std::string_view text,
                          int underline, uint32_t colour) {
  PixelRect touched;
  const int baseline = y + metrics_.ascent;
  int pen_x = x;
  for (size_t i = 0; i < text.size(); ++i) {
    const Glyph& g = glyph(static_cast<unsigned char>(text[i]));
    ClipList cell_clips;
    const PixelRect cell{pen_x, y, pen_x + g.advance, y + metrics_.height};
    for (const PixelRect& c : clips) {
      const PixelRect r = c.intersect(cell).intersect({0, 0, s.width(), s.height()});
      if (!r.empty()) cell_clips.push_back(r);
    }
    if (!cell_clips.empty()) {
      for (int gy = 0; gy < g.rows; ++gy) {
        for (int gx = 0; gx < g.width; ++gx) {
          if (!g.mask[static_cast<size_t>(gy) * g.width + gx]) continue;
          const int px = pen_x + g.left + gx, py = baseline - g.top + gy;
          touched = unite(touched, fillArea(s, cell_clips, {px, py, px + 1, py + 1}, PixelOp::Set, colour));
        }
      }
      if (static_cast<int>(i) == underline)
        touched = unite(touched, fillArea(s, cell_clips, {pen_x, baseline + 1, pen_x + g.advance, baseline + 2},
                                          PixelOp::Set, colour));
    }
    pen_x += g.advance;
  }
  return touched;
}

}  // namespace zorva::platform
