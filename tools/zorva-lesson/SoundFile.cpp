#include <algorithm>
#include <cmath>
#include <optional>

#include <sndfile.h>
#include <soxr.h>

#include "tools/zorva-lesson/CourseRules.h"
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

std::vector<int16_t> loadSoundFile(const std::string& path, const SourceRef& where) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) throw BuildError(where, "can't read sound file " + path + ": " + sf_strerror(nullptr));
  if (info.channels < 1 || info.samplerate < 1 || info.frames < 0) {
    sf_close(file);
    throw BuildError(where, "sound file " + path + " has no usable format");
  }
  // Checked before decoding: a rate of 1 Hz would turn each sample into 22,050.
  if (const std::optional<std::string> words = judge(LimitId::SoundRate, static_cast<uint64_t>(info.samplerate))) {
    sf_close(file);
    throw BuildError(where, path + ": " + *words);
  }
  std::vector<float> interleaved(static_cast<size_t>(info.frames) * info.channels);
  const sf_count_t got = sf_readf_float(file, interleaved.data(), info.frames);
  sf_close(file);
  interleaved.resize(static_cast<size_t>(std::max<sf_count_t>(got, 0)) * info.channels);
  if (interleaved.empty()) throw BuildError(where, noSamplesWords(path));
  return toClipFormat(interleaved, info.channels, info.samplerate);
}

}  // namespace zorva::builder
