// The application icon: an open blue book with a red speech bubble above its pages, drawn
// from a character map so the picture is readable in the source.
#include "res/ResourceTables.h"

namespace zorva_res {

namespace {

const char* const kMap[32] = {
    "................................",
    "..................RRRRRRRRRR....",
    ".................RWWWWWWWWWWR...",
    ".................RWWRRWWRRWWR...",
    ".................RWWWWWWWWWWR...",
    ".................RRRRRRRRRRR....",
    "..................RR............",
    ".................RR.............",
    "................................",
    "................................",
    "....BBBBBBBBBB......BBBBBBBBBB..",
    "...BWWWWWWWWWWBB..BBWWWWWWWWWWB.",
    "...BWWKKKKKKWWWWBBWWWWKKKKKKWWB.",
    "...BWWWWWWWWWWWWBBWWWWWWWWWWWWB.",
    "...BWWKKKKKKKWWWBBWWWKKKKKKKWWB.",
    "...BWWWWWWWWWWWWBBWWWWWWWWWWWWB.",
    "...BWWKKKKKKWWWWBBWWWWKKKKKKWWB.",
    "...BWWWWWWWWWWWWBBWWWWWWWWWWWWB.",
    "...BWWKKKKKKKWWWBBWWWKKKKKKKWWB.",
    "...BWWWWWWWWWWWWBBWWWWWWWWWWWWB.",
    "...BWWKKKKKWWWWWBBWWWWWKKKKKWWB.",
    "...BWWWWWWWWWWWWBBWWWWWWWWWWWWB.",
    "...BWWKKKKKKKWWWBBWWWKKKKKKKWWB.",
    "...BWWWWWWWWWWWWBBWWWWWWWWWWWWB.",
    "...BBBBBBBBWWWWWBBWWWWWBBBBBBBB.",
    "...........BBBBBBBBBBBBB........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

struct Built {
  uint32_t pixels[32 * 32];
  bool transparent[32 * 32];
  Built() {
    for (int y = 0; y < 32; y++)
      for (int x = 0; x < 32; x++) {
        char c = kMap[y][x];
        uint32_t rgb = 0;
        if (c == 'B') rgb = 0x0000FF;
        if (c == 'R') rgb = 0xFF0000;
        if (c == 'W') rgb = 0xFFFFFF;
        if (c == 'K') rgb = 0x000000;
        pixels[y * 32 + x] = rgb;
        transparent[y * 32 + x] = (c == '.');
      }
  }
};

}  // namespace

const IconImage& appIcon() {
  static const Built built;
  static const IconImage icon = {IDR_MAINFRAME, 32, 32, built.pixels, built.transparent};
  return icon;
}

}  // namespace zorva_res
