// Where everything lies in Zorva's data files, and the limits the program reads them with: the
// one description the writer, the checker, the builder and the tests all take their numbers
// from. tests/acceptance/page_file.py reads the `constexpr ... k... = number;` lines of this
// file itself, so each value stays a plain number on one line.
#pragma once

#include <cstddef>

namespace zorva::lessonkit {

// --- The start-up file DATA4.DAT --------------------------------------------------------------
constexpr size_t kStartupHeaderSize = 1420;
constexpr size_t kStartupRecordPointer = 44;  // header field: offset of the title's picture record

// --- A page file: flag byte, previous and next page names, information text, picture record ----
constexpr size_t kPagePrevAt = 1;
constexpr size_t kPageNextAt = 14;
constexpr size_t kPageNameSize = 13;  // 12 characters and a NUL
constexpr size_t kPageInfoAt = 27;
constexpr size_t kPageInfoSize = 1000;  // 999 characters and a NUL
constexpr size_t kPagePictureRecordAt = 1027;
constexpr size_t kPageFixedSize = 1099;  // the fixed part; the writer puts the picture right after it
// Then the picture's bytes, the 16-bit item count, and each item's record followed by its clip.

// --- A picture record: a name, then where the picture's bytes lie --------------------------
constexpr size_t kPictureRecordSize = 72;
constexpr size_t kRecordNameSize = 64;  // NUL-padded, at most 63 characters
constexpr size_t kPictureOffsetAt = 64;
constexpr size_t kPictureLengthAt = 68;

// --- An item record: role and audio rectangles, the role chain, the clip's name and place ---
constexpr size_t kItemRecordSize = 92;
constexpr size_t kItemRoleAt = 0;  // left, top, right, bottom: 16 bits each
constexpr size_t kItemAudioAt = 8;
constexpr size_t kItemRoleHeadAt = 16;
constexpr size_t kItemNextInRoleAt = 18;
constexpr size_t kItemNameAt = 20;
constexpr size_t kItemClipOffsetAt = 84;
constexpr size_t kItemClipLengthAt = 88;
// Stored y values count rows of the page picture, which Zorva places 20 rows above the view.
constexpr int kStoredYOffset = 20;
// A clip is an AIFF file; its samples follow a header of this size.
constexpr size_t kClipHeaderSize = 52;

// --- What the program shows ---------------------------------------------------------------
constexpr int kMaxItems = 60;  // the program's item slots; items past them are not read
// The view on the largest window the program opens: no audio rectangle can be seen whole
// beyond it.
constexpr int kViewWidth = 1024;
constexpr int kViewHeight = 716;
// The page information is drawn into the view's area [860, 1100) x [10, 30).
constexpr int kInfoLeft = 860;
constexpr int kInfoTop = 10;
constexpr int kInfoRight = 1100;
constexpr int kInfoBottom = 30;

static_assert(kPagePictureRecordAt == kPageInfoAt + kPageInfoSize);
static_assert(kPageFixedSize == kPagePictureRecordAt + kPictureRecordSize);
static_assert(kItemRecordSize == kItemClipLengthAt + 4);

}  // namespace zorva::lessonkit
