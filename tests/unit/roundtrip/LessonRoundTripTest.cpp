// A lesson built from its description is read back by the program's own loaders: the lesson
// book opens it and finds the picture's pixels, the item rectangles, the role chains and the
// clip samples the description asked for.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "lesson/LessonBook.h"
#include "tests/support/WavFile.h"
#include "tests/unit/roundtrip/BuiltLesson.h"
#include "tools/zorva-lesson/Checker.h"
#include "tools/zorva-lesson/Sound.h"

namespace fs = std::filesystem;
using namespace zorva;

namespace {

constexpr int kPictureWidth = 300;
constexpr int kPictureHeight = 160;

// Four bands of colours whose channels all differ, so a swapped channel or a sheared row shows.
COLORREF bandColour(int x, int y) {
  static const COLORREF kBands[4] = {RGB(200, 30, 90), RGB(20, 180, 60), RGB(70, 40, 220),
                                     RGB(250, 240, 10)};
  return kBands[(x / 75 + y / 40) % 4];
}

void writePicture(const fs::path& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << kPictureWidth << " " << kPictureHeight << "\n255\n";
  for (int y = 0; y < kPictureHeight; ++y)
    for (int x = 0; x < kPictureWidth; ++x) {
      const COLORREF c = bandColour(x, y);
      out.put(static_cast<char>(GetRValue(c)));
      out.put(static_cast<char>(GetGValue(c)));
      out.put(static_cast<char>(GetBValue(c)));
    }
}

// Half a second of a rising tone, stereo at 44.1 kHz: the builder must turn it into mono at
// 22,050 Hz.
void writeTone(const fs::path& path) {
  const int frames = 22050;
  std::vector<short> stereo(frames * 2);
  for (int f = 0; f < frames; ++f) {
    const short v = static_cast<short>(12000 * std::sin(2 * M_PI * (200.0 + f / 100.0) * f / 44100.0));
    stereo[f * 2] = v;
    stereo[f * 2 + 1] = v;
  }
  zorva::testing::writeWav(path.string(), stereo, 44100, 2);
}

const char* kDescription = R"toml([title]
text = ["Round trip"]

[[lesson]]
number = 1
  [[lesson.page]]
  info = "Lektion 1 – Seite 1 (Übung)"
  picture = "page.ppm"
  role_mark = false
    [[lesson.page.item]]
    rect = [20, 30, 140, 60]
    role = "A"
    role_rect = [0, 30, 20, 60]
    audio = "tone.wav"
    [[lesson.page.item]]
    rect = [20, 70, 140, 100]
    role = "B"
    role_rect = [0, 70, 20, 100]
    [[lesson.page.item]]
    rect = [20, 110, 140, 140]
    role = "A"
    role_rect = [0, 110, 20, 140]
  [[lesson.page]]
  info = "Second page"
  text = ["Line one"]
)toml";

class LessonRoundTrip : public BuiltLesson {
 protected:
  void SetUp() override {
    BuiltLesson::SetUp();
    writePicture(root_ / "page.ppm");
    writeTone(root_ / "tone.wav");
    build(kDescription);
  }
};

TEST_F(LessonRoundTrip, CheckerFindsTheBuiltFolderSound) {
  std::ostringstream report;
  const builder::CheckResult result = builder::checkLessonFolder((root_ / "out").string(), report);
  EXPECT_TRUE(result.problems.empty()) << report.str();
}

TEST_F(LessonRoundTrip, BookReadsPictureRectanglesAndChains) {
  CLessonBook book;
  ASSERT_NE(book.m_pTitlePicture, nullptr);
  book.OpenLesson(0, &dc_);
  EXPECT_STREQ((LPCTSTR)book.m_strPageFile, "14101.pge");
  EXPECT_STREQ((LPCTSTR)book.m_strNextFile, "14102.PGE");
  EXPECT_STREQ((LPCTSTR)book.m_strPrevFile, "");
  EXPECT_EQ(std::string(book.m_strPageInfo).find("Lektion 1 \x96 Seite 1 (\xDC" "bung)  "), 0u);  // Windows-1252
  EXPECT_TRUE(desktop_->messageBoxes().empty());

  // The picture lies at (110, -20): its first 20 rows are above the view.
  int wrong = 0;
  for (int y = 20; y < kPictureHeight; ++y)
    for (int x = 0; x < kPictureWidth; ++x)
      if (dc_.GetPixel(110 + x, y - 20) != bandColour(x, y)) ++wrong;
  EXPECT_EQ(wrong, 0) << "picture pixels differ from the source picture";

  // Areas measured in picture pixels land where the picture shows them: moved by (110, -20).
  ASSERT_EQ(book.m_nItems, 3);
  const CRect audio[3] = {CRect(130, 10, 250, 40), CRect(130, 50, 250, 80), CRect(130, 90, 250, 120)};
  const CRect role[3] = {CRect(110, 10, 130, 40), CRect(110, 50, 130, 80), CRect(110, 90, 130, 120)};
  const short head[3] = {0, 1, 0};
  const short next[3] = {2, -1, -1};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(CRect(book.m_items[i]->m_rectAudio), audio[i]);
    EXPECT_EQ(CRect(book.m_items[i]->m_rectRole), role[i]);
    EXPECT_EQ(book.m_items[i]->m_nRoleHead, head[i]);
    EXPECT_EQ(book.m_items[i]->m_nNextInRole, next[i]);
  }

  book.Navigate(2, &dc_);
  EXPECT_EQ(std::string(book.m_strPageInfo).find("Second page  "), 0u);
  EXPECT_STREQ((LPCTSTR)book.m_strPrevFile, "14101.PGE");
  EXPECT_TRUE(desktop_->messageBoxes().empty());
}

TEST_F(LessonRoundTrip, ClickedItemPlaysTheConvertedSamples) {
  const std::string wav = (root_ / "tone.wav").string();
  const std::vector<int16_t> expected = builder::loadSoundFile(wav, builder::SourceRef{wav, 0});
  ASSERT_NEAR(static_cast<double>(expected.size()), 11025.0, 2.0);

  CLessonBook book;
  book.OpenLesson(0, &dc_);
  book.HandleClick(CPoint(140, 20), &dc_);
  const auto& trace = desktop_->audio().trace();
  ASSERT_EQ(trace.size(), 1u);
  EXPECT_EQ(trace[0].format.rate_hz, 22050);
  EXPECT_EQ(trace[0].format.channels, 1);
  ASSERT_EQ(trace[0].bytes.size(), expected.size() * 2);
  std::vector<int16_t> heard(expected.size());
  for (size_t i = 0; i < heard.size(); ++i)
    heard[i] = static_cast<int16_t>(trace[0].bytes[2 * i] | (trace[0].bytes[2 * i + 1] << 8));
  EXPECT_EQ(heard, expected);

  // Items without a sound are silent.
  book.HandleClick(CPoint(140, 60), &dc_);
  EXPECT_EQ(desktop_->audio().trace().size(), 1u);
}

}  // namespace
