#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

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

// A sound file whose header passed the builder's checks, closed when it goes. Throws BuildError
// naming `where` when the file can't be read, has no usable format or lasts too long.
struct OpenSound {
  SF_INFO info{};
  SNDFILE* file = nullptr;

  OpenSound(const std::string& path, const SourceRef& where) {
    file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
      // The library says "does not exist or is not a regular file" also of a file it cannot decode.
      std::error_code error;
      const bool regular = std::filesystem::is_regular_file(path, error) && std::ifstream(path).good();
      throw BuildError(where, "can't read sound file " + path + ": " +
                                  (regular ? "it is not a sound in a form the builder reads (WAV, MP3, FLAC, OGG or AIFF)"
                                           : sf_strerror(nullptr)));
    }
    try {
      check(path, where);
    } catch (const BuildError&) {
      sf_close(file);
      throw;
    }
  }
  ~OpenSound() { sf_close(file); }
  OpenSound(const OpenSound&) = delete;
  OpenSound& operator=(const OpenSound&) = delete;

  double seconds() const { return static_cast<double>(info.frames) / info.samplerate; }

 private:
  void check(const std::string& path, const SourceRef& where) const {
    if (info.channels < 1 || info.channels > 64 || info.samplerate < 1 || info.frames < 0) {
      throw BuildError(where, "sound file " + path + " has no usable format");
    }
    // Checked before decoding: a rate of 1 Hz would turn each sample into 22,050.
    if (const std::optional<std::string> words = judge(LimitId::SoundRate, static_cast<uint64_t>(info.samplerate))) {
      throw BuildError(where, path + ": " + *words);
    }
    if (seconds() > kMaxSoundFileSeconds) {
      throw BuildError(where, "sound file " + path + " lasts " + secondsText(seconds()) + " by its header; a sound file "
                              "may last at most " + secondsText(kMaxSoundFileSeconds));
    }
    if (info.frames == 0) throw BuildError(where, noSamplesWords(path));
  }
};

// The frames of the stretch wanted, from the header's length, or BuildError saying which bound
// the stretch passes.
std::pair<sf_count_t, sf_count_t> framesWanted(const OpenSound& sound, const std::string& path, const SourceRef& where,
                                               const SoundStretch& stretch) {
  const double rate = sound.info.samplerate, length_s = sound.seconds();
  if (stretch.from_s > 0 && stretch.from_s >= length_s) {
    throw BuildError(where, cutPastEndWords("from", stretch.from_s, path, length_s));
  }
  // A cut that ends within a hundredth of a second of the end is the end: resampling may round.
  if (stretch.to_s && *stretch.to_s > length_s + 0.01) {
    throw BuildError(where, cutPastEndWords("to", *stretch.to_s, path, length_s));
  }
  const double to_s = std::min(stretch.to_s.value_or(length_s), length_s);
  if (const std::optional<std::string> refusal = clipLengthRefusal(path, to_s - stretch.from_s)) {
    throw BuildError(where, *refusal);
  }
  const auto frame = [&](double seconds) { return static_cast<sf_count_t>(std::llround(seconds * rate)); };
  return {frame(stretch.from_s), std::max<sf_count_t>(frame(to_s) - frame(stretch.from_s), 1)};
}

}  // namespace

std::optional<std::string> clipLengthRefusal(const std::string& sound, double seconds) {
  if (seconds <= kMaxClipSeconds) return std::nullopt;
  return "the sound taken from " + sound + " lasts " + secondsText(seconds) + "; a clip or a page's recording lasts at most " +
         secondsText(kMaxClipSeconds) + " (cut a clip out of a longer file with 'from' and 'to')";
}

LoadedSound readSoundFile(const std::string& path, const SourceRef& where, const SoundStretch& stretch) {
  const OpenSound sound(path, where);
  const auto [first, count] = framesWanted(sound, path, where, stretch);
  const int channels = sound.info.channels;
  std::vector<float> interleaved(static_cast<size_t>(count) * channels);
  const sf_count_t got = first == 0 || sf_seek(sound.file, first, SEEK_SET) == first
                             ? sf_readf_float(sound.file, interleaved.data(), count) : 0;
  LoadedSound loaded;
  if (got < count) {
    loaded.damage = "sound file " + path + " is damaged: " + secondsText(static_cast<double>(std::max<sf_count_t>(got, 0)) /
                    sound.info.samplerate) + " of the " + secondsText(static_cast<double>(count) / sound.info.samplerate) +
                    " its header claims could be read";
  }
  interleaved.resize(static_cast<size_t>(std::max<sf_count_t>(got, 0)) * channels);
  if (interleaved.empty()) throw BuildError(where, noSamplesWords(path));
  loaded.samples = toClipFormat(interleaved, channels, sound.info.samplerate);
  return loaded;
}

double soundFileSeconds(const std::string& path, const SourceRef& where) { return OpenSound(path, where).seconds(); }

std::string summariseSoundFile(const std::string& path, const SourceRef& where, double from_s, double to_s, size_t columns) {
  const OpenSound sound(path, where);
  const double rate = sound.info.samplerate;
  const sf_count_t first = std::clamp<sf_count_t>(std::llround(from_s * rate), 0, sound.info.frames);
  const sf_count_t last = std::clamp<sf_count_t>(std::llround(to_s * rate), first, sound.info.frames);
  std::vector<float> low(columns, 0.0f), high(columns, 0.0f);
  // A block at a time: a long recording is summarised without being held.
  constexpr sf_count_t kBlockFrames = 4096;
  const int channels = sound.info.channels;
  std::vector<float> block(static_cast<size_t>(kBlockFrames) * channels);
  if (columns > 0 && last > first && (first == 0 || sf_seek(sound.file, first, SEEK_SET) == first)) {
    for (sf_count_t at = first; at < last;) {
      const sf_count_t got = sf_readf_float(sound.file, block.data(), std::min(kBlockFrames, last - at));
      if (got <= 0) break;
      for (sf_count_t f = 0; f < got; ++f) {
        float sum = 0;
        for (int c = 0; c < channels; ++c) sum += block[static_cast<size_t>(f * channels + c)];
        const float mono = sum / static_cast<float>(channels);
        const auto column = static_cast<size_t>((at + f - first) * static_cast<sf_count_t>(columns) / (last - first));
        low[column] = std::min(low[column], mono);
        high[column] = std::max(high[column], mono);
      }
      at += got;
    }
  }
  std::string out(columns * 2, '\0');
  const auto byte = [](float v) { return static_cast<char>(std::lround(std::clamp(v, -1.0f, 1.0f) * 127.0f)); };
  for (size_t c = 0; c < columns; ++c) {
    out[2 * c] = byte(low[c]);
    out[2 * c + 1] = byte(high[c]);
  }
  return out;
}

std::vector<int16_t> loadSoundFile(const std::string& path, const SourceRef& where) {
  LoadedSound sound = readSoundFile(path, where, SoundStretch{});
  if (!sound.damage.empty()) throw BuildError(where, sound.damage + "; a recording is only cut when it reads whole");
  return std::move(sound.samples);
}

}  // namespace zorva::builder
