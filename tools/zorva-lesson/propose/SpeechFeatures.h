// What the aligner compares: the recording freed of room rumble, and each 10 ms of sound
// described by mel-cepstral coefficients (the spectrum's shape, not its loudness), normalised
// over the whole sound so that a voice recorded in a room and a synthesised voice compare.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zorva::propose {

constexpr double kFrameS = 0.01;
constexpr int kCepstra = 12;

using FeatureFrame = std::array<float, kCepstra>;

// Hum, traffic and handling noise lie below 300 Hz, where speech carries little of its words.
std::vector<int16_t> withoutRumble(const std::vector<int16_t>& samples, int rate_hz);

// One frame every kFrameS; the samples should already be without rumble.
std::vector<FeatureFrame> speechFeatures(const std::vector<int16_t>& samples, int rate_hz);

// For each frame, how loud it is between the sound's quiet (0) and its loud speech (1).
std::vector<float> loudness(const std::vector<int16_t>& samples, int rate_hz);

float featureDistance(const FeatureFrame& a, const FeatureFrame& b);

}  // namespace zorva::propose
