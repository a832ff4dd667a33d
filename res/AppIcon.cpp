// The application icon: an open blue book with a red speech bubble above its pages. '.' is
// transparent.
#include <afxwin.h>

#include "res/resource.h"
#include "user/Resources.h"

ICON_RESOURCE(IDR_MAINFRAME,
              ICON_COLORS(ICON_COLOR('B', RGB(0, 0, 255)), ICON_COLOR('R', RGB(255, 0, 0)),
                          ICON_COLOR('W', RGB(255, 255, 255)), ICON_COLOR('K', RGB(0, 0, 0))),
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
              "................................");
