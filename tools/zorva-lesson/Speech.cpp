#include <espeak-ng/speak_lib.h>

#include <cstring>

#include "tools/zorva-lesson/Sound.h"

namespace zorva::builder {
namespace {

std::vector<int16_t>* g_collect = nullptr;

int collect(short* wav, int count, espeak_EVENT*) {
  if (wav != nullptr && count > 0 && g_collect != nullptr) g_collect->insert(g_collect->end(), wav, wav + count);
  return 0;
}

int speechRate() {
  static const int rate = [] {
    const int r = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 500, nullptr, 0);
    if (r > 0) espeak_SetSynthCallback(collect);
    return r;
  }();
  return rate;
}

// espeak-ng takes "language+variant" and quietly speaks the plain language when the variant is
// unknown, so variants are looked up among the installed ones (files under voices/!v).
bool variantInstalled(const std::string& variant) {
  espeak_VOICE wanted{};
  wanted.languages = "variant";
  for (const espeak_VOICE** v = espeak_ListVoices(&wanted); v != nullptr && *v != nullptr; ++v) {
    const std::string id = (*v)->identifier != nullptr ? (*v)->identifier : "";
    if (id.substr(id.find_last_of('/') + 1) == variant) return true;
  }
  return false;
}

}  // namespace

std::vector<int16_t> speak(const std::string& text, const std::string& voice, const SourceRef& where) {
  const int rate = speechRate();
  if (rate <= 0) throw BuildError(where, "the speech synthesiser espeak-ng could not start");
  if (espeak_SetVoiceByName(voice.c_str()) != EE_OK) {
    throw BuildError(where, "voice '" + voice + "' is not installed (see `espeak-ng --voices`)");
  }
  if (const size_t plus = voice.find('+'); plus != std::string::npos && !variantInstalled(voice.substr(plus + 1))) {
    throw BuildError(where, "voice '" + voice + "': variant '" + voice.substr(plus + 1) +
                                "' is not installed (see `espeak-ng --voices=variant`)");
  }
  std::vector<int16_t> samples;
  g_collect = &samples;
  const espeak_ERROR result = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                           espeakCHARS_UTF8, nullptr, nullptr);
  espeak_Synchronize();
  g_collect = nullptr;
  if (result != EE_OK) throw BuildError(where, "could not speak the sentence");
  if (rate == kClipRateHz) return samples;
  std::vector<float> floats(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) floats[i] = samples[i] / 32768.0f;
  return toClipFormat(floats, 1, rate);
}

}  // namespace zorva::builder
