#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"

#include <sndfile.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "tools/zorva-lesson/propose/evaluation/PageLayout.h"
#include "tools/zorva-lesson/propose/evaluation/Reading.h"
#include "tools/zorva-lesson/propose/evaluation/ScanEffects.h"
#include "tools/zorva-lesson/Sound.h"
#include "tools/zorva-lesson/propose/PagePicture.h"

namespace zorva::evaluation {
namespace {

constexpr size_t kLineChars = 42;
constexpr int kJpegQuality = 75;

std::vector<std::string> drawn(std::vector<std::string> pool, size_t count, std::mt19937& random) {
  std::shuffle(pool.begin(), pool.end(), random);
  pool.resize(std::min(count, pool.size()));
  return pool;
}

struct Script {
  std::vector<PageLine> lines;
  std::vector<SpokenSentence> spoken;
  std::vector<std::string> roles;
};

Script proseScript(const LanguageTexts& texts, int index, std::mt19937& random) {
  const int count = std::uniform_int_distribution<int>(5, 13)(random);
  std::vector<std::string> sentences{texts.headings[static_cast<size_t>(index) % texts.headings.size()]};
  for (const std::string& s : drawn(texts.prose, static_cast<size_t>(count), random)) sentences.push_back(s);
  std::vector<int> paragraph_ends{0};  // the heading stands alone
  const int last = static_cast<int>(sentences.size()) - 1;
  for (int s = 1; s <= last;) {
    paragraph_ends.push_back(std::min(last, s + std::uniform_int_distribution<int>(1, 3)(random)));
    s = paragraph_ends.back() + 1;
  }
  Script script;
  script.lines = wrapProse(sentences, paragraph_ends, kLineChars);
  for (const std::string& s : sentences) script.spoken.push_back(SpokenSentence{s, texts.voice});
  script.roles.assign(sentences.size(), "");
  return script;
}

Script dialogueScript(const LanguageTexts& texts, int index, std::mt19937& random) {
  const int count = std::uniform_int_distribution<int>(6, 12)(random);
  const std::vector<std::string>& names = texts.speakers[index == 1 ? 0 : 1];
  Script script;
  int s = 0;
  for (const std::string& line : drawn(texts.dialogue, static_cast<size_t>(count), random)) {
    const int speaker = s % 2;
    script.lines.push_back(PageLine{Piece{names[speaker] + ":", -1}, Piece{line, s}});
    script.spoken.push_back(SpokenSentence{line, texts.speaker_voices[speaker]});
    script.roles.push_back(names[speaker]);
    ++s;
  }
  return script;
}

// Course books come with MP3 recordings; libsndfile writes them without the encoder's delay.
void writeMp3(const std::vector<int16_t>& samples, const std::string& path) {
  SF_INFO info{};
  info.samplerate = builder::kClipRateHz;
  info.channels = 1;
  info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
  SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
  if (out == nullptr) throw builder::BuildError("can't write " + path + ": " + sf_strerror(nullptr));
  sf_write_short(out, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(out);
}

// The union of a sentence's ink on each of its lines, each turned as the scanner turned the page.
PictureRect turnedInk(const std::vector<PictureRect>& pieces, const builder::RgbaImage& page, double turn_degrees) {
  PictureRect all = turnedBox(pieces.front(), page, turn_degrees);
  for (const PictureRect& piece : pieces) {
    const PictureRect box = turnedBox(piece, page, turn_degrees);
    all = {std::min(all.left, box.left), std::min(all.top, box.top), std::max(all.right, box.right),
           std::max(all.bottom, box.bottom)};
  }
  return all;
}

PictureRect grown(const PictureRect& box, int margin) {
  return PictureRect{box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

}  // namespace

EvaluationPage makeEvaluationPage(const LanguageTexts& texts, int index) {
  std::mt19937 random(static_cast<unsigned>(1000 * index + texts.tesseract[0] * 7 + texts.tesseract[1]));
  const bool dialogue = index == 1 || index == 3;
  const Script script = dialogue ? dialogueScript(texts, index, random) : proseScript(texts, index, random);
  const LaidPage laid = layOutPage(script.lines, static_cast<int>(script.spoken.size()));
  ScanSettings settings;
  settings.turn_degrees = std::uniform_real_distribution<double>(-1.5, 1.5)(random);
  const Reading reading = readAloud(script.spoken, ReadingStyle{}, random);

  EvaluationPage page;
  page.name = texts.tesseract + "-" + std::to_string(index + 1);
  page.page_kind = dialogue ? "dialogue" : "prose";
  page.audio_kind = "clean";
  page.language = texts.tesseract;
  page.scan = scanned(laid.image, settings, random);
  page.recording = reading.samples;
  for (size_t s = 0; s < script.spoken.size(); ++s) {
    TrueSentence sentence;
    sentence.text = script.spoken[s].text;
    sentence.box = grown(turnedInk(laid.sentence_ink[s], laid.image, settings.turn_degrees), kBoxMarginPx);
    sentence.role = script.roles[s];
    sentence.speech_start_s = reading.speech_start_s[s];
    sentence.speech_end_s = reading.speech_end_s[s];
    page.sentences.push_back(sentence);
  }
  return page;
}

PageFiles writeEvaluationPage(const EvaluationPage& page, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  PageFiles files{(folder / "page.jpg").string(), "", (folder / "reading.mp3").string(),
                  (folder / "sentences.txt").string(), (folder / "truth.txt").string()};
  propose::saveJpeg(page.scan, files.picture, kJpegQuality);
  writeMp3(page.recording, files.recording);
  std::ofstream sentences(files.sentences), truth(files.truth);
  truth << "# left top right bottom (picture pixels)  speech start end (s)  role  sentence\n";
  for (const TrueSentence& s : page.sentences) {
    sentences << s.text << "\n";
    truth << s.box.left << " " << s.box.top << " " << s.box.right << " " << s.box.bottom << "  " << s.speech_start_s
          << " " << s.speech_end_s << "  " << (s.role.empty() ? "-" : s.role) << "  " << s.text << "\n";
  }
  return files;
}

}  // namespace zorva::evaluation
