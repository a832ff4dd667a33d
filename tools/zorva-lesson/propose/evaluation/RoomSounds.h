// What a room and a reader add to a clean reading: low or broadband noise at a chosen
// signal-to-noise ratio, reverberation, mains hum under quiet music, breaths and lip clicks.
// Each keeps the speech where it was, so the reading's true sentence times still hold.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace zorva::evaluation {

enum class NoiseColour { kBrown, kPink };

// `speech_db` is the reading's speech level, from speechLevelDb, so silence does not lower it.
double speechLevelDb(const std::vector<int16_t>& samples);
void addNoise(std::vector<int16_t>& samples, NoiseColour colour, double snr_db, std::mt19937& random);

// A small room: the reverberation dies away by 60 dB in about `decay_s`.
void reverberate(std::vector<int16_t>& samples, double decay_s);

// 50 Hz hum with its harmonics 20 dB under the speech, and soft chords 25 dB under it.
void addHumAndMusic(std::vector<int16_t>& samples, std::mt19937& random);

// A breath in the pause before each sentence long enough for one, and lip clicks in pauses and
// just before speech. `starts` and `ends` are the sentences' speech times.
void addBreathsAndClicks(std::vector<int16_t>& samples, const std::vector<double>& starts,
                         const std::vector<double>& ends, std::mt19937& random);

}  // namespace zorva::evaluation
