#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"

#include <sndfile.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "tools/zorva-lesson/propose/evaluation/PageKinds.h"
#include "tools/zorva-lesson/propose/evaluation/Reading.h"
#include "tools/zorva-lesson/propose/evaluation/ScanEffects.h"
#include "tools/zorva-lesson/Sound.h"
#include "tools/zorva-lesson/propose/PagePicture.h"

namespace zorva::evaluation {
namespace {

struct Kind {
  PrintKind print;
  const char* name;  // what the bench calls the family, when not the print's own name
  bool photographed = false;
  bool pdf = false;
  bool sloppy_list = false;
};

const Kind kKinds[kPagesPerLanguage] = {
    {PrintKind::kProse, nullptr},
    {PrintKind::kDialogue, nullptr},
    {PrintKind::kTwoColumns, nullptr},
    {PrintKind::kPictureCaption, nullptr, false, false, true},
    {PrintKind::kDialogue, nullptr, false, false, true},
    {PrintKind::kExercise, nullptr, false, false, true},
    {PrintKind::kMixedSizes, nullptr},
    {PrintKind::kPictureCaption, "photographed", true, false, true},
    {PrintKind::kTwoColumns, "PDF", false, true},
};

int languageNumber(const LanguageTexts& texts) {
  const auto& all = evaluationLanguages();
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i].tesseract == texts.tesseract) return static_cast<int>(i);
  return 0;
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
  const Kind& kind = kKinds[index % kPagesPerLanguage];
  // Each language's two dialogue pages take two of the six label styles.
  const int style = (languageNumber(texts) * 2 + (index > 1 ? 1 : 0)) % 6;
  const Script script = printedPage(kind.print, texts, style, random);
  const ComposedPage composed = compose(script.print, static_cast<int>(script.spoken.size()));
  ScanSettings settings;
  std::uniform_real_distribution<double> turn(kind.photographed ? 2.0 : 0.0, kind.photographed ? 4.0 : 1.0);
  settings.turn_degrees = turn(random) * (random() % 2 == 0 ? 1 : -1);
  if (kind.photographed) settings.shade = 0.45, settings.noise_level = 9;
  if (kind.pdf) settings.turn_degrees = 0;
  std::vector<SpokenSentence> spoken;
  const std::string voices[] = {texts.voice, texts.speaker_voices[0], texts.speaker_voices[1]};
  for (size_t s = 0; s < script.spoken.size(); ++s) spoken.push_back(SpokenSentence{script.spoken[s], voices[script.voices[s]]});
  const Reading reading = readAloud(spoken, ReadingStyle{}, random);

  EvaluationPage page;
  page.name = texts.tesseract + "-" + std::to_string(index + 1);
  page.page_kind = kind.name != nullptr ? kind.name : printKindName(kind.print);
  page.audio_kind = "clean";
  page.language = texts.tesseract;
  page.list = authorsList(script, kind.sloppy_list, random);
  page.print = script.print;
  page.as_pdf = kind.pdf;
  page.scan = kind.pdf ? composed.image : scanned(composed.image, settings, random);
  page.jpeg_quality = kind.photographed ? 60 : 75;
  page.recording = reading.samples;
  for (size_t s = 0; s < script.spoken.size(); ++s) {
    TrueSentence sentence;
    sentence.text = script.spoken[s];
    sentence.box = grown(turnedInk(composed.sentence_ink[s], composed.image, settings.turn_degrees), kBoxMarginPx);
    sentence.role = script.roles[s];
    sentence.speech_start_s = reading.speech_start_s[s];
    sentence.speech_end_s = reading.speech_end_s[s];
    page.sentences.push_back(sentence);
  }
  return page;
}

PageFiles writeEvaluationPage(const EvaluationPage& page, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  PageFiles files{(folder / (page.as_pdf ? "page.png" : "page.jpg")).string(),
                  page.as_pdf ? (folder / "page.pdf").string() : "", (folder / "reading.mp3").string(),
                  (folder / "sentences.txt").string(), (folder / "truth.txt").string()};
  if (page.as_pdf) {
    writePdf(page.print, files.pdf);
  } else {
    propose::saveJpeg(page.scan, files.picture, page.jpeg_quality);
  }
  writeMp3(page.recording, files.recording);
  std::ofstream sentences(files.sentences), truth(files.truth);
  truth << "# left top right bottom (picture pixels)  speech start end (s)  role  sentence\n";
  for (const std::string& s : page.list) sentences << s << "\n";
  for (const TrueSentence& s : page.sentences) {
    truth << s.box.left << " " << s.box.top << " " << s.box.right << " " << s.box.bottom << "  " << s.speech_start_s
          << " " << s.speech_end_s << "  " << (s.role.empty() ? "-" : s.role) << "  " << s.text << "\n";
  }
  return files;
}

}  // namespace zorva::evaluation
