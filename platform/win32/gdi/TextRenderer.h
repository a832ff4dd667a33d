// Text for DCs: the stock fonts, found through fontconfig and rasterised with FreeType into
// solid (unsmoothed) glyphs, so text pixels are only ever the text colour.
//
// For the window manager (menus, dialogs): dialogFont() is the dialog face ("MS Sans Serif"
// 8 pt maps to the same sans face as ANSI_VAR_FONT); fontLineHeight / fontAverageCharWidth
// give its dialog base units; draw with the ordinary calls after selecting it into a DC
// (TextOutA, DrawTextA). Nothing here keeps a DC.
#pragma once

#include <string_view>

#include "../WinTypes.h"

namespace zorva::platform {

enum class FontFaceId { AnsiVar = 0, System = 1, AnsiFixed = 2, SystemFixed = 3 };

struct FontMetrics {
  int height = 0;         // one line, in pixels: 13 for ANSI_VAR_FONT
  int ascent = 0;         // baseline below the line's top
  int descent = 0;
  int internal_leading = 0;
  int average_width = 0;  // of "a".."z" "A".."Z", as dialog base units are measured
  int max_width = 0;
  int weight = 400;
  bool fixed_pitch = false;
};

// Starts looking up the stock fonts' files beside what the caller does next (the desktop's
// start-up); the first text waits for the lookup. Called once at program start; without it
// the lookup is made at the first text.
void prepareStockFonts();

HFONT dialogFont();
// False when the handle is no font or no face could be loaded for it.
bool fontMetrics(HFONT font, FontMetrics& out);
int fontLineHeight(HFONT font);
int fontAverageCharWidth(HFONT font);
// Width in pixels of 8-bit (Windows-1252) text in the font; -1 when it has no face.
int textWidth(HFONT font, std::string_view text);

}  // namespace zorva::platform
