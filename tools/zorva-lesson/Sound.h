// Sounds for model clips: 16-bit mono samples at 22,050 Hz, from a file or spoken by espeak-ng.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/LessonDescription.h"

namespace zorva::builder {

constexpr int kClipRateHz = 22050;

// The stretch of a sound file wanted: from `from_s` to `to_s` (the file's end when absent).
struct SoundStretch {
  double from_s = 0;
  std::optional<double> to_s;
};

struct LoadedSound {
  std::vector<int16_t> samples;
  std::string damage;  // when fewer frames could be decoded than the header claims: both lengths
};

// Reads a stretch of a WAV, MP3, FLAC, OGG or AIFF file at any rate and channel count; mixes it
// down to mono and converts the rate. The lengths are checked from the header before decoding
// (see InputLimits.h). Throws BuildError naming `where` when the file can't be read or is too long.
LoadedSound readSoundFile(const std::string& path, const SourceRef& where, const SoundStretch& stretch);

// The builder's refusal of a clip `seconds` long taken from `sound` (see InputLimits.h), or
// nothing when it is short enough.
std::optional<std::string> clipLengthRefusal(const std::string& sound, double seconds);

// How long a sound file lasts by its header, checked as readSoundFile checks it.
double soundFileSeconds(const std::string& path, const SourceRef& where);

// The quietest and loudest sample (mixed down to mono, as signed bytes, lowest first) in each of
// `columns` equal columns from `from_s` to `to_s` seconds of a sound file at its own rate, to draw
// its waveform from. Read in blocks, so a recording of any length the builder takes is summarised
// without being held. Throws BuildError as readSoundFile does.
std::string summariseSoundFile(const std::string& path, const SourceRef& where, double from_s, double to_s, size_t columns);

// The whole file, as readSoundFile; a damaged file is refused (BuildError with both lengths).
std::vector<int16_t> loadSoundFile(const std::string& path, const SourceRef& where);

// Mixes interleaved float frames to mono and resamples them to 22,050 Hz.
std::vector<int16_t> toClipFormat(const std::vector<float>& interleaved, int channels, double rate_hz);

// The clip played at `tempo` times its speed (0.8: slower) with its pitch kept.
std::vector<int16_t> changeTempo(const std::vector<int16_t>& samples, double tempo);

// Speaks a sentence with a named espeak-ng voice. Throws BuildError when the voice is missing.
std::vector<int16_t> speak(const std::string& text, const std::string& voice, const SourceRef& where);

}  // namespace zorva::builder
