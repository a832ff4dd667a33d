// Reading an in-memory RIFF/WAVE image: PCM, 8 or 16 bits, 1 or 2 channels, any rate.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/backend/AudioBackend.h"

namespace zorva::platform {

struct WaveImage {
  AudioFormat format;
  const uint8_t* samples = nullptr;  // inside the image
  size_t sample_bytes = 0;           // whole frames only
};

// The image's size is not known to the caller, so the RIFF size is trusted as the bound of
// every read: no byte at or past 8 + RIFF size is looked at. Returns false for anything that
// is not a playable PCM WAVE image.
bool parseWaveImage(const void* image, WaveImage& out);

}  // namespace zorva::platform
