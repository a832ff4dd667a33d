#include "tools/zorva-lesson/propose/Proposer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "tools/zorva-lesson/Sound.h"
#include "tools/zorva-lesson/propose/PagePicture.h"
#include "tools/zorva-lesson/propose/RecordingCutter.h"
#include "tools/zorva-lesson/propose/SentenceMatcher.h"
#include "tools/zorva-lesson/propose/StraightPage.h"
#include "tools/zorva-lesson/propose/TextGrouping.h"
#include "tools/zorva-lesson/propose/TextReader.h"

namespace zorva::propose {
namespace {

constexpr int kItemMarginPx = 4;
constexpr int kLabelMarginPx = 2;
constexpr int kSilentLevel = 64;  // quieter than this throughout, a recording holds nothing to cut

struct Pictures {
  builder::RgbaImage read;  // full resolution, for the text reader
  std::string shown_path;   // what the lesson shows
  ShownPage shown;
};

// A PDF page is written to the picture file the author named; a scan larger than the page area
// gets a copy that fits beside it.
Pictures pagePictures(const ProposeRequest& request) {
  Pictures pictures;
  const bool from_pdf = !request.pdf.empty();
  if (!from_pdf && isPdfFile(request.picture)) {
    throw builder::BuildError(request.picture + " is a PDF: give it as --pdf " + request.picture +
                              " --page N, with --picture naming the page picture to write");
  }
  pictures.read = from_pdf ? renderPdfPage(request.pdf, request.pdf_page)
                           : builder::loadImageFile(request.picture, builder::SourceRef{});
  pictures.shown = shownPage(pictures.read);
  const bool reshaped = pictures.shown.image.width != pictures.read.width ||
                        pictures.shown.image.height != pictures.read.height;
  pictures.shown_path = request.picture;
  if (reshaped && !from_pdf) {
    const std::filesystem::path scan(request.picture);
    pictures.shown_path = (scan.parent_path() / (scan.stem().string() + "-shown.png")).string();
  }
  if (from_pdf || reshaped) savePng(pictures.shown.image, pictures.shown_path);
  return pictures;
}

ProposedItem itemFor(const PageSentence& sentence, const StraightPage& read, const ShownPage& shown) {
  ProposedItem item{sentence.text, std::nullopt, std::nullopt, std::nullopt};
  if (!sentence.word_boxes.empty()) item.rect = shown.shownArea(read.onGiven(sentence.word_boxes), kItemMarginPx);
  if (sentence.speaker) {
    const PictureRect label = read.onGiven(sentence.speaker->box);
    item.speaker = SpeakerLabel{sentence.speaker->role, shown.shownArea(label, kLabelMarginPx)};
  }
  return item;
}

// The recording is read before the slow text recognition, so a wrong file is named at once.
std::vector<int16_t> loadRecording(const std::string& path) {
  const std::vector<int16_t> samples = builder::loadSoundFile(path, builder::SourceRef{});
  const bool silent = std::all_of(samples.begin(), samples.end(), [](int16_t v) { return std::abs(v) < kSilentLevel; });
  if (silent) throw builder::BuildError("the recording " + path + " holds no sound");
  return samples;
}

AlignedCuts cutItems(const std::vector<int16_t>& samples, const Proposal& proposal) {
  std::vector<std::string> texts;
  for (const ProposedItem& item : proposal.items) texts.push_back(item.text);
  return cutRecording(samples, texts, proposal.voice);
}

// Without the author's list, an item the recording holds no speech of is print the layout took
// for a sentence (a heading, a caption): it is left out, and the others are cut again without it
// so that it takes none of their audio.
void cutPageRecording(const std::vector<int16_t>& samples, bool listed, Proposal& proposal) {
  AlignedCuts cuts = cutItems(samples, proposal);
  const auto unspoken = std::count(cuts.unspoken.begin(), cuts.unspoken.end(), true);
  if (!listed && unspoken > 0 && static_cast<size_t>(unspoken) < proposal.items.size()) {
    std::vector<ProposedItem> heard;
    for (size_t i = 0; i < proposal.items.size(); ++i) {
      if (!cuts.unspoken[i]) {
        heard.push_back(std::move(proposal.items[i]));
      } else {
        proposal.left_out.push_back(UnreadPrint{proposal.items[i].text, kNotHeard});
      }
    }
    proposal.items = std::move(heard);
    cuts = cutItems(samples, proposal);
  }
  for (size_t i = 0; i < cuts.cuts.size(); ++i) proposal.items[i].cut = cuts.cuts[i];
  proposal.unlisted_speech = std::move(cuts.unlisted);
}

}  // namespace

std::string voiceForLanguage(const std::string& language) {
  static const std::map<std::string, std::string> kVoices = {
      {"eng", "en"}, {"deu", "de"}, {"spa", "es"}, {"fra", "fr"}, {"ita", "it"},      {"por", "pt"}, {"nld", "nl"},
      {"pol", "pl"}, {"rus", "ru"}, {"ell", "el"}, {"tur", "tr"}, {"swe", "sv"},      {"dan", "da"}, {"nor", "nb"},
      {"fin", "fi"}, {"ces", "cs"}, {"hun", "hu"}, {"jpn", "ja"}, {"chi_sim", "cmn"}, {"kor", "ko"}};
  const auto it = kVoices.find(language.substr(0, language.find('+')));
  return it == kVoices.end() ? "" : it->second;
}

Proposal proposePage(const ProposeRequest& request, Progress& progress) {
  requireLanguage(request.language);
  const std::vector<std::string> given =
      request.sentences.empty() ? std::vector<std::string>{} : readSentenceFile(request.sentences);
  const std::vector<int16_t> recording =
      request.recording.empty() ? std::vector<int16_t>{} : loadRecording(request.recording);
  progress.step("reading the picture");
  const Pictures pictures = pagePictures(request);
  const StraightPage straight = straightened(pictures.read);
  std::vector<TextLine> lines =
      readPageText(straight, request.language, [&](int done) { progress.percent("reading the text", done); });
  if (lines.empty()) {
    throw builder::BuildError("no text found on the picture " + request.picture + " (is --language " +
                              request.language + " the page's language, and the picture a page of text?)");
  }
  progress.step("finding the sentences");
  GroupedText grouped = groupText(std::move(lines), given);
  Proposal proposal;
  proposal.left_out = std::move(grouped.left_out);

  proposal.picture = pictures.shown_path;
  proposal.voice = voiceForLanguage(request.language);
  for (const PageSentence& sentence : grouped.sentences)
    proposal.items.push_back(itemFor(sentence, straight, pictures.shown));
  if (!request.recording.empty()) {
    progress.step("cutting the recording");
    proposal.recording = request.recording;
    cutPageRecording(recording, !given.empty(), proposal);
  }
  progress.finish();
  return proposal;
}

}  // namespace zorva::propose
