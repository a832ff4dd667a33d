// One loaded face at the pixel size that gives its line height, with solid glyphs cached.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Raster.h"
#include "TextRenderer.h"

namespace zorva::platform {

struct Glyph {
  bool loaded = false;
  int advance = 0;
  int left = 0;  // bitmap offset from the pen position
  int top = 0;   // bitmap rows above the baseline
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> mask;  // width * rows, 1 = ink
};

class FontFace {
 public:
  // NULL when fontconfig finds no file or FreeType cannot open it.
  static FontFace* get(FontFaceId id);
  ~FontFace();

  // The line's metrics; the character widths in them (average and largest) stay 0.
  const FontMetrics& metrics() const { return metrics_; }
  // All of them: the widths need most glyphs rendered, so they are measured at the first ask.
  const FontMetrics& fullMetrics();
  int width(std::string_view text);
  // Paints the ink of `text` (text colour only) for a line whose top-left is (x, y),
  // each glyph cut to its own cell and to the clips. Returns what it changed.
  PixelRect paint(Surface& s, const ClipList& clips, int x, int y, std::string_view text,
                  int underline, uint32_t colour);

 private:
  FontFace() = default;
  // Opens face `index` of `file`, which fontconfig found for `pattern`.
  bool open(const std::string& file, int index, const char* pattern, int line_height);
  const Glyph& glyph(unsigned char c);

  void* library_ = nullptr;  // FT_Library
  void* face_ = nullptr;     // FT_Face
  FontMetrics metrics_;
  bool widths_known_ = false;
  std::array<Glyph, 256> glyphs_;
};

}  // namespace zorva::platform
