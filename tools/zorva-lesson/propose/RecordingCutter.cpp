#include "tools/zorva-lesson/propose/RecordingCutter.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "tools/zorva-lesson/Sound.h"
#include "tools/zorva-lesson/propose/HeardSentences.h"
#include "tools/zorva-lesson/propose/LetterKey.h"

namespace zorva::propose {
namespace {

constexpr int kRate = builder::kClipRateHz;
constexpr int kSynthesisSilence = 200;  // below this espeak-ng's output is its own silence
// A reader takes a third to four times as long as the synthesiser; outside that the recording is
// not the reading of these sentences (and aligning it would take too long).
constexpr double kShortestReading = 1.0 / 3;
constexpr double kLongestReading = 4;
constexpr double kUnheardStretch = 0.25;
constexpr double kLeastClarity = 2.5;  // a reader of the page's text stands out of its decoys at least this much
// Where the alignment put print nobody read, the recording matches it worse than its decoys on
// average; a sentence read even in a voice far from the synthesiser's matches it better.
constexpr double kNoSpeechClarity = 0;
const char* const kWomansVariant = "+f3";

std::vector<FeatureFrame> spokenFeatures(const std::string& text, const std::string& voice) {
  std::vector<int16_t> samples = builder::speak(text, voice, builder::SourceRef{"the sentence \"" + text + "\"", 0});
  const auto loud = [](int16_t v) { return std::abs(v) > kSynthesisSilence; };
  const auto first = std::find_if(samples.begin(), samples.end(), loud);
  const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
  std::vector<FeatureFrame> frames =
      speechFeatures(withoutRumble(std::vector<int16_t>(first, std::max(first, last)), kRate), kRate);
  if (frames.empty()) frames.push_back(FeatureFrame{});
  return frames;
}

// A man's and a woman's voice differ more than the features can bridge, so each sentence is said
// in both and the one nearer to its reader (dialogues have several) is aligned.
std::vector<std::vector<FeatureFrame>> nearerSynthesis(const std::vector<FeatureFrame>& heard,
                                                       const std::vector<std::string>& sentences,
                                                       const std::string& voice) {
  std::vector<std::vector<FeatureFrame>> nearer;
  for (const std::string& s : sentences) {
    std::vector<FeatureFrame> male = spokenFeatures(s, voice), female = spokenFeatures(s, voice + kWomansVariant);
    nearer.push_back(bestMatch(heard, male) <= bestMatch(heard, female) ? std::move(male) : std::move(female));
  }
  return nearer;
}

void checkLength(const SpeechMap& speech, size_t synthesised_frames) {
  const double said_s = static_cast<double>(synthesised_frames) * kFrameS;
  const double heard_s = speech.last_speech_s - speech.first_speech_s;
  if (heard_s < said_s * kShortestReading || heard_s > said_s * kLongestReading) {
    throw builder::BuildError("the recording is far " + std::string(heard_s < said_s ? "shorter" : "longer") +
                              " than the sentences: " + std::to_string(static_cast<int>(heard_s)) +
                              " s of speech for sentences a reader says in about " +
                              std::to_string(static_cast<int>(said_s + 0.5)) + " s (is it the reading of this page?)");
  }
}

// A sentence is not heard when the alignment squeezed it to a fraction of its length, or where
// the alignment put it the recording matches other words about as well as the sentence's (its
// clarity is below `least`).
std::vector<bool> unheard(const Alignment& alignment, const std::vector<double>& clarity, double least) {
  std::vector<bool> out;
  for (size_t k = 0; k < alignment.sentences.size(); ++k) {
    const bool clear = clarity.empty() || clarity[k] >= least;
    out.push_back(alignment.sentences[k].stretch <= kUnheardStretch || !clear);
  }
  return out;
}

void refuseUnheard(const std::vector<bool>& not_heard, const std::vector<std::string>& sentences) {
  std::string names;
  size_t count = 0;
  for (size_t k = 0; k < sentences.size(); ++k) {
    if (!not_heard[k]) continue;
    names += "\n  \"" + sentences[k] + "\"";
    ++count;
  }
  if (count * 2 > sentences.size()) {
    throw builder::BuildError("the recording is not the reading of this page: " + std::to_string(count) + " of " +
                              std::to_string(sentences.size()) + " sentences were not heard:" + names);
  }
}

}  // namespace

AlignedCuts cutRecording(const std::vector<int16_t>& samples, const std::vector<std::string>& sentences,
                         const std::string& voice) {
  const double duration_s = static_cast<double>(samples.size()) / kRate;
  const std::vector<int16_t> clean = withoutRumble(samples, kRate);
  const SpeechMap speech = findPauses(clean, kRate);
  if (!speech.hasSpeech()) throw builder::BuildError("the recording holds no speech");
  if (voice.empty()) {
    std::vector<int> letters;
    for (const std::string& s : sentences) letters.push_back(static_cast<int>(letterKey(s).size()));
    return AlignedCuts{cutSentences(speech, letters, duration_s), {}, {}};
  }
  const std::vector<FeatureFrame> heard = speechFeatures(clean, kRate);
  const std::vector<float> level = loudness(clean, kRate);
  const std::vector<std::vector<FeatureFrame>> said = nearerSynthesis(heard, sentences, voice);
  checkLength(speech, std::accumulate(said.begin(), said.end(), size_t{0},
                                      [](size_t sum, const auto& frames) { return sum + frames.size(); }));
  const Alignment alignment = alignSentences(heard, level, said);
  const std::vector<double> clarity = heardClarity(heard, alignment, said);
  refuseUnheard(unheard(alignment, clarity, kLeastClarity), sentences);
  AlignedCuts cuts = cutAligned(alignment, speech, duration_s);
  cuts.unspoken = unheard(alignment, clarity, kNoSpeechClarity);
  return cuts;
}

}  // namespace zorva::propose
