// Sounds for model clips: 16-bit mono samples at 22,050 Hz, from a file or spoken by espeak-ng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/zorva-lesson/LessonDescription.h"

namespace zorva::builder {

constexpr int kClipRateHz = 22050;

// Reads WAV, MP3, FLAC, OGG or AIFF at any rate and channel count; mixes down to mono and converts
// the rate. Throws BuildError naming `where` when the file can't be read.
std::vector<int16_t> loadSoundFile(const std::string& path, const SourceRef& where);

// The stretch of a recording that `sound`'s 'from' and 'to' name, as the clip is cut from it.
// Throws BuildError when 'from' lies at or after the recording's end.
std::vector<int16_t> cutSegment(std::vector<int16_t> samples, const SoundPlan& sound);

// Mixes interleaved float frames to mono and resamples them to 22,050 Hz.
std::vector<int16_t> toClipFormat(const std::vector<float>& interleaved, int channels, double rate_hz);

// The clip played at `tempo` times its speed (0.8: slower) with its pitch kept.
std::vector<int16_t> changeTempo(const std::vector<int16_t>& samples, double tempo);

// Speaks a sentence with a named espeak-ng voice. Throws BuildError when the voice is missing.
std::vector<int16_t> speak(const std::string& text, const std::string& voice, const SourceRef& where);

}  // namespace zorva::builder
