// Where a reader pauses: the recording is cut into 5 ms frames; a frame is speech when its
// energy stands out of the noise floor or its spectrum changes fast (the spectral flux catches
// the weak onsets of fricatives that energy alone misses). Runs of non-speech long enough to be
// a pause are returned, with the first and last speech of the recording.
#pragma once

#include <cstdint>
#include <vector>

namespace zorva::propose {

struct Pause {
  double start_s = 0;  // the speech before it ends here ...
  double end_s = 0;    // ... and the speech after it starts here
  double length() const { return end_s - start_s; }
};

struct SpeechMap {
  double first_speech_s = 0;
  double last_speech_s = 0;   // end of the last speech
  std::vector<Pause> pauses;  // between first_speech_s and last_speech_s, in time order
  bool hasSpeech() const { return last_speech_s > first_speech_s; }
};

constexpr double kShortestPauseS = 0.12;

SpeechMap findPauses(const std::vector<int16_t>& samples, int rate_hz);

}  // namespace zorva::propose
