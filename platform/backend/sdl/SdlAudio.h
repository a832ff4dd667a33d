// SDL2 audio devices behind the backend seam: the default capture and playback devices in the
// format asked for (SDL converts when the hardware wants another), fed and drained through
// SDL's own thread-safe queue, so nothing of ours runs on SDL's audio thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

#include "platform/backend/Backend.h"

namespace zorva::platform {

class SdlAudio {
 public:
  SdlAudio() = default;
  ~SdlAudio();
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  int open(AudioDirection direction, const AudioFormat& format);
  void start(int stream);
  void stop(int stream);
  void close(int stream);
  size_t readCaptured(int stream, void* dst, size_t bytes);
  void queuePlayback(int stream, const void* src, size_t bytes);
  // Bytes heard: those handed to SDL less those still in SDL's queue and in the device's own
  // buffer; the last buffer's worth is counted in as time passes after the queue runs dry.
  uint64_t playedBytes(int stream);

 private:
  struct Stream {
    uint32_t device = 0;
    AudioDirection direction = AudioDirection::Playback;
    AudioFormat format;
    uint64_t queued = 0;         // bytes handed to SDL
    uint64_t device_buffer = 0;  // bytes the device holds beyond SDL's queue
    uint64_t heard = 0;          // never goes back
    bool running = false;
    bool drained = false;        // SDL's queue was found empty since the last queueing
    uint64_t drained_at_ms = 0;
    uint64_t heard_at_drain = 0;
  };
  Stream* find(int stream);
  bool ensureInit();

  std::map<int, Stream> streams_;
  int next_id_ = 1;
  bool initialised_ = false;
};

}  // namespace zorva::platform
