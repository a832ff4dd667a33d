// Slower models for beginners: SoundTouch stretches the clip in time and keeps its pitch.
#include <SoundTouch.h>

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "tools/zorva-lesson/Sound.h"

namespace zorva::builder {

static_assert(std::is_same_v<soundtouch::SAMPLETYPE, float>, "Debian's SoundTouch works on float samples");

std::vector<int16_t> changeTempo(const std::vector<int16_t>& samples, double tempo) {
  if (tempo == 1.0 || samples.empty()) return samples;
  soundtouch::SoundTouch stretcher;
  stretcher.setSampleRate(kClipRateHz);
  stretcher.setChannels(1);
  stretcher.setTempo(tempo);
  // Shorter sequences than the defaults, which are made for music, keep syllables clear.
  stretcher.setSetting(SETTING_SEQUENCE_MS, 40);
  stretcher.setSetting(SETTING_SEEKWINDOW_MS, 15);
  stretcher.setSetting(SETTING_OVERLAP_MS, 8);
  std::vector<float> input(samples.size());
  std::transform(samples.begin(), samples.end(), input.begin(), [](int16_t s) { return s / 32768.0f; });
  stretcher.putSamples(input.data(), static_cast<unsigned>(input.size()));
  stretcher.flush();
  std::vector<float> output(stretcher.numSamples());
  output.resize(stretcher.receiveSamples(output.data(), static_cast<unsigned>(output.size())));
  // flush() pads the end with silence; the clip keeps the length the tempo gives.
  output.resize(std::min(output.size(), static_cast<size_t>(std::lround(samples.size() / tempo))));
  std::vector<int16_t> slowed(output.size());
  std::transform(output.begin(), output.end(), slowed.begin(), [](float v) {
    return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
  });
  return slowed;
}

}  // namespace zorva::builder
