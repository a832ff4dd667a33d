// Page audio items read from page files built with lessonkit and drawn on a memory surface
// that starts as a sentinel colour, on the headless backend with its virtual devices.
#pragma once

#include "elements/PageAudio.h"
#include "tests/unit/audio/AudioFixture.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/PixelCanvas.h"

namespace pageaudiotest {

using zorva::lessonkit::Bytes;
using zorva::lessonkit::ItemRecord;

using pixeltest::kGreen;
constexpr int kWidth = 240;
constexpr int kHeight = 160;

// The audio rectangle 10,100,200,120 (stored 10,120,200,140), no role rectangle, no clip.
inline ItemRecord plainItem() {
  ItemRecord item;
  item.audio = {10, 100, 200, 120};
  item.role = {0, 0, 0, 0};
  return item;
}

// One second of model speech: 22,050 samples, clip length 44,152.
inline std::vector<int16_t> speech(size_t count = 22050) {
  std::vector<int16_t> s(count);
  for (size_t i = 0; i < count; ++i) s[i] = static_cast<int16_t>((i * 97) % 4000 - 2000);
  return s;
}

inline void append(Bytes& to, const Bytes& from) { to.insert(to.end(), from.begin(), from.end()); }

class PageAudioTest : public zorva::testing::AudioTest {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    surface = std::make_unique<pixeltest::Canvas>(kWidth, kHeight);
  }
  void TearDown() override {
    surface.reset();
    AudioTest::TearDown();
  }
  // A file of one record for `item`, followed (at the clip's offset) by `clip` if any.
  Bytes fileOf(ItemRecord item, const Bytes& clip = {}) {
    Bytes bytes;
    if (!clip.empty()) {
      item.clip_offset = 92;
      item.clip_length = static_cast<uint32_t>(clip.size());
    }
    append(bytes, zorva::lessonkit::itemRecord(item));
    append(bytes, clip);
    return bytes;
  }
  CDC* dc() { return &surface->cdc(); }
  // Paints a pattern with distinct channels over the surface, as a page picture would be.
  void paintPicture() {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) surface->cdc().SetPixel(x, y, pictureAt(x, y));
  }
  static COLORREF pictureAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, (x * 3 + y) & 0x7F); }

  std::unique_ptr<pixeltest::Canvas> surface;
};

// The frame of 10,100,200,120 in `colour` over `base`: both corners included.
inline void frameOn(pixeltest::Image& e, COLORREF colour) {
  e.fill(10, 100, 201, 101, colour);
  e.fill(10, 120, 201, 121, colour);
  e.fill(10, 100, 11, 121, colour);
  e.fill(200, 100, 201, 121, colour);
}

}  // namespace pageaudiotest
