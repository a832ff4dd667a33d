// Virtual audio devices on the headless clock. (Being written: the audio platform work fills in
// the trace, the capture source and the fault injection.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/backend/Backend.h"

namespace zorva::platform {

class HeadlessAudio {
 public:
  explicit HeadlessAudio(std::function<uint64_t()> clock_ms) : clock_ms_(std::move(clock_ms)) {}

  int open(AudioDirection direction, const AudioFormat& format);
  void start(int stream);
  void stop(int stream);
  void close(int stream);
  size_t readCaptured(int stream, void* dst, size_t bytes);
  void queuePlayback(int stream, const void* src, size_t bytes);
  uint64_t playedBytes(int stream);

 private:
  std::function<uint64_t()> clock_ms_;
};

}  // namespace zorva::platform
