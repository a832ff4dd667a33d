// The largest inputs the builder and `propose` take, each checked before the input is decoded,
// so a small file that claims a huge picture, page or sound is refused with its size, not read.
#pragma once

#include <cstdint>

namespace zorva::builder {

// The lesson description, checked before it is parsed.
constexpr uint64_t kMaxDescriptionBytes = 4u * 1024 * 1024;
constexpr int kMaxKeyParts = 8;      // parts of a dotted key or table header (a description needs 3)
constexpr int kMaxValueNesting = 8;  // arrays and inline tables inside each other

// Text laid out or spoken, in bytes of UTF-8: wider than any page shows, longer than any sentence.
constexpr uint64_t kMaxTextLineBytes = 1000;
constexpr uint64_t kMaxSayBytes = 2000;

// Pictures, from the file's header (or a PDF page's size at the resolution it is read at).
constexpr int64_t kMaxPictureSidePx = 12000;
constexpr int64_t kMaxPicturePixels = 72'000'000;  // an A3 page scanned at 600 dots an inch

// Sounds, from the file's header: a clip, and a page's recording that `propose` cuts, last at
// most this long (a page of sentences read aloud); an item cuts a clip out of a longer file with
// 'from' and 'to', and no file may claim more than the second bound.
constexpr double kMaxClipSeconds = 600;
constexpr double kMaxSoundFileSeconds = 4 * 3600;

}  // namespace zorva::builder
