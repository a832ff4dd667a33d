#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

#include <sndfile.h>
#include <soxr.h>

#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/InputLimits.h"
#include "tools/zorva-lesson/Sound.h"

namespace zorva::builder {

std::vector<int16_t> toClipFormat(const std::vector<float>& interleaved, int channels, double rate_hz) {
  const size_t frames = channels > 0 ? interleaved.size() / static_cast<size_t>(channels) : 0;
  std::vector<float> mono(frames);
  for (size_t f = 0; f < frames; ++f) {
    float sum = 0;
    for (int c = 0; c < channels; ++c) sum += interleaved[f * channels + c];
    mono[f] = sum / static_cast<float>(channels);
  }
  std::vector<float> converted;
  if (std::lround(rate_hz) == kClipRateHz) {
    converted = std::move(mono);
  } else {
    converted.resize(static_cast<size_t>(std::ceil(frames * kClipRateHz / rate_hz)) + 16);
    size_t done = 0;
    const soxr_error_t error = soxr_oneshot(rate_hz, kClipRateHz, 1, mono.data(), frames, nullptr,
                                            converted.data(), converted.size(), &done, nullptr, nullptr, nullptr);
    if (error != nullptr) throw BuildError(std::string("sample-rate conversion failed: ") + error);
    converted.resize(done);
  }
  std::vector<int16_t> samples(converted.size());
  std::transform(converted.begin(), converted.end(), samples.begin(), [](float v) {
    return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
  });
  return samples;
}

namespace {

std::string secondsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", seconds);
  return text;
}

// The frames of the stretch wanted, from the header's length, or BuildError saying which bound
// the file or the stretch passes.
std::pair<sf_count_t, sf_count_t> framesWanted(const SF_INFO& info, const std::string& path, const SourceRef& where,
                                               const SoundStretch& stretch) {
  const double rate = info.samplerate, length_s = static_cast<double>(info.frames) / rate;
  if (length_s > kMaxSoundFileSeconds) {
    throw BuildError(where, "sound file " + path + " lasts " + secondsText(length_s) + " by its header; a sound file "
                            "may last at most " + secondsText(kMaxSoundFileSeconds));
  }
  if (info.frames == 0) throw BuildError(where, noSamplesWords(path));
  if (stretch.from_s > 0 && stretch.from_s >= length_s) {
    throw BuildError(where, cutPastEndWords("from", stretch.from_s, path, length_s));
  }
  // A cut that ends within a hundredth of a second of the end is the end: resampling may round.
  if (stretch.to_s && *stretch.to_s > length_s + 0.01) {
    throw BuildError(where, cutPastEndWords("to", *stretch.to_s, path, length_s));
  }
  const double to_s = std::min(stretch.to_s.value_or(length_s), length_s);
  if (to_s - stretch.from_s > kMaxClipSeconds) {
    throw BuildError(where, "the sound taken from " + path + " lasts " + secondsText(to_s - stretch.from_s) +
                                "; a clip or a page's recording lasts at most " + secondsText(kMaxClipSeconds) +
                                " (cut a clip out of a longer file with 'from' and 'to')");
  }
  const auto frame = [&](double seconds) { return static_cast<sf_count_t>(std::llround(seconds * rate)); };
  return {frame(stretch.from_s), std::max<sf_count_t>(frame(to_s) - frame(stretch.from_s), 1)};
}

}  // namespace

LoadedSound readSoundFile(const std::string& path, const SourceRef& where, const SoundStretch& stretch) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    // The library says "does not exist or is not a regular file" also of a file it cannot decode.
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error) && std::ifstream(path).good();
    throw BuildError(where, "can't read sound file " + path + ": " +
                                (regular ? "it is not a sound in a form the builder reads (WAV, MP3, FLAC, OGG or AIFF)"
                                         : sf_strerror(nullptr)));
  }
  if (info.channels < 1 || info.channels > 64 || info.samplerate < 1 || info.frames < 0) {
    sf_close(file);
    throw BuildError(where, "sound file " + path + " has no usable format");
  }
  // Checked before decoding: a rate of 1 Hz would turn each sample into 22,050.
  if (const std::optional<std::string> words = judge(LimitId::SoundRate, static_cast<uint64_t>(info.samplerate))) {
    sf_close(file);
    throw BuildError(where, path + ": " + *words);
  }
  sf_count_t first = 0, count = 0;
  try {
    std::tie(first, count) = framesWanted(info, path, where, stretch);
  } catch (const BuildError&) {
    sf_close(file);
    throw;
  }
  std::vector<float> interleaved(static_cast<size_t>(count) * info.channels);
  const sf_count_t got = first == 0 || sf_seek(file, first, SEEK_SET) == first
                             ? sf_readf_float(file, interleaved.data(), count) : 0;
  sf_close(file);
  LoadedSound sound;
  if (got < count) {
    sound.damage = "sound file " + path + " is damaged: " + secondsText(static_cast<double>(std::max<sf_count_t>(got, 0)) /
                   info.samplerate) + " of the " + secondsText(static_cast<double>(count) / info.samplerate) +
                   " its header claims could be read";
  }
  interleaved.resize(static_cast<size_t>(std::max<sf_count_t>(got, 0)) * info.channels);
  if (interleaved.empty()) throw BuildError(where, noSamplesWords(path));
  sound.samples = toClipFormat(interleaved, info.channels, info.samplerate);
  return sound;
}

std::vector<int16_t> loadSoundFile(const std::string& path, const SourceRef& where) {
  LoadedSound sound = readSoundFile(path, where, SoundStretch{});
  if (!sound.damage.empty()) throw BuildError(where, sound.damage + "; a recording is only cut when it reads whole");
  return std::move(sound.samples);
}

}  // namespace zorva::builder
