// Lessons for the editor's browser tests and benchmark, made in code:
//   zorva-editor-fixture proposed DIR   a German dialogue page as propose reads it (scan, MP3,
//                                       the proposal under a title with the author's comments)
//                                       and a second page of text with areas only
//   zorva-editor-fixture large DIR      one page of 60 items cut from a 3-minute recording
// Each writes DIR/lesson.toml and the files it names, and DIR/notes.txt, which it does not name.
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <random>
#include <sstream>

#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"
#include "tools/zorva-lesson/propose/PagePicture.h"
#include "tools/zorva-lesson/propose/ProposeCommand.h"

namespace {

namespace fs = std::filesystem;
using namespace zorva;

constexpr int kRate = 22050;

const char* const kTitle =
    "# The author's course: page 1 was proposed, page 2 is typed.\n"
    "[title]\n"
    "text = [\"Editor test\"]   # shown before the lessons\n"
    "\n"
    "[[lesson]]\n"
    "number = 1\n"
    "voice = \"de\"\n"
    "\n";

const char* const kTextPage =
    "\n"
    "  # page 2: no recording, areas only\n"
    "  [[lesson.page]]\n"
    "  text = [\"Im Cafe\", \"\", \"Anna: Guten Morgen!\", \"Ben: Hallo!\"]\n"
    "    [[lesson.page.item]]\n"
    "    rect = [20, 100, 300, 140]   # measured by hand\n"
    "    [[lesson.page.item]]\n"
    "    line = 4\n";

int proposed(const fs::path& dir) {
  setenv("OMP_THREAD_LIMIT", "1", 0);
  const evaluation::EvaluationPage page = evaluation::makeEvaluationPage(evaluation::evaluationLanguages()[1], 1);
  const evaluation::PageFiles files = evaluation::writeEvaluationPage(page, dir);
  std::ostringstream proposal, errors;
  // Names relative to the lesson, as an author who proposes inside the lesson's folder gets them.
  fs::current_path(dir);
  if (builder::runCommand(propose::proposeCommand(), {"--picture", "page.jpg", "--recording", "reading.mp3", "--language",
                                                      "deu", "--sentences", "sentences.txt"},
                          proposal, errors) != 0) {
    std::cerr << errors.str();
    return 1;
  }
  std::ofstream(dir / "lesson.toml") << kTitle << proposal.str() << kTextPage;
  return 0;
}

void writeWav(const fs::path& path, const std::vector<int16_t>& samples) {
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
  sf_write_short(out, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(out);
}

// Sixty "sentences" of 2.5 s (a wavering tone in noise) with 0.5 s pauses, and a page of two
// columns of thirty lines to lay their areas on.
int large(const fs::path& dir) {
  constexpr int kItems = 60;
  constexpr double kSeconds = 180, kSentence = 2.5, kPause = 0.5;
  std::mt19937 random(26);
  std::normal_distribution<double> noise(0, 300);
  std::vector<int16_t> recording(static_cast<size_t>(kSeconds * kRate));
  for (size_t k = 0; k < recording.size(); ++k) {
    const double t = static_cast<double>(k) / kRate, in_turn = std::fmod(t, kSentence + kPause);
    const double voice = in_turn < kSentence ? 8000 * std::sin(2 * M_PI * (180 + 40 * std::sin(t * 3)) * t) : 0;
    recording[k] = static_cast<int16_t>(std::clamp(voice + noise(random), -32000.0, 32000.0));
  }
  writeWav(dir / "reading.wav", recording);
  builder::RgbaImage picture{740, 1000, std::vector<uint8_t>(740 * 1000 * 4, 255)};
  std::ofstream lesson(dir / "lesson.toml");
  lesson << std::fixed << std::setprecision(3) << kTitle << "[[lesson.page]]\npicture = \"page.png\"\n";
  for (int i = 0; i < kItems; ++i) {
    const int left = i < 30 ? 20 : 380, top = 30 + (i % 30) * 32;
    for (int y = top + 8; y < top + 22; ++y)
      for (int x = left; x < left + 330; ++x) picture.rgba[(static_cast<size_t>(y) * 740 + x) * 4 + 2] = 120;
    lesson << "\n  [[lesson.page.item]]\n  rect = [" << left << ", " << top << ", " << left + 340 << ", " << top + 30
           << "]\n  audio = \"reading.wav\"\n  from = " << i * (kSentence + kPause) << "\n  to = " << i * (kSentence + kPause) + kSentence << "\n";
  }
  propose::savePng(picture, (dir / "page.png").string());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: zorva-editor-fixture proposed|large DIR\n";
    return 2;
  }
  const fs::path dir = fs::absolute(argv[2]);
  fs::create_directories(dir);
  std::ofstream(dir / "notes.txt") << "the author's own notes: not a file of the lesson\n";
  const std::string kind = argv[1];
  return kind == "proposed" ? proposed(dir) : kind == "large" ? large(dir) : 2;
}
