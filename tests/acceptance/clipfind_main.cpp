// zorva-clipfind RECORDING.wav MIN_SCORE CLIP.wav...
// Prints one line per occurrence found, in time order:
//   hit <clip index> <start seconds> <score> <peak level> <end seconds>
// and one line per clip with its best score: best <clip index> <score>.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tests/acceptance/ClipFinder.h"
#include "tests/acceptance/WavFile.h"

using namespace zorva::acceptance;

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s RECORDING.wav MIN_SCORE CLIP.wav...\n", argv[0]);
    return 2;
  }
  try {
    const Wave recording = readWave(argv[1]);
    const double min_score = std::strtod(argv[2], nullptr);
    std::vector<std::vector<double>> clips;
    for (int i = 3; i < argc; ++i) {
      Wave clip = readWave(argv[i]);
      if (clip.rate_hz != recording.rate_hz) {
        std::fprintf(stderr, "%s: rate %d Hz, recording has %d Hz\n", argv[i], clip.rate_hz, recording.rate_hz);
        return 2;
      }
      clips.push_back(std::move(clip.samples));
    }
    for (const ClipHit& hit : findClips(recording.samples, clips, min_score)) {
      std::printf("hit %d %.4f %.4f %.4f %.4f\n", hit.clip, double(hit.offset) / recording.rate_hz, hit.score,
                  hit.peak_level, double(hit.end) / recording.rate_hz);
    }
    for (size_t c = 0; c < clips.size(); ++c) {
      const std::vector<double> ncc = normalisedCorrelation(recording.samples, clips[c]);
      std::printf("best %zu %.4f\n", c, ncc.empty() ? 0.0 : *std::max_element(ncc.begin(), ncc.end()));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 2;
  }
  return 0;
}
