// SDL2 audio devices behind the backend seam: the default capture and playback devices in the
// format asked for (SDL converts when the hardware wants another), fed and drained through
// SDL's own thread-safe queue, so nothing of ours runs on SDL's audio thread.
//
// Closing a device joins SDL's thread for it, and a capture thread whose source delivers
// nothing (a suspended source, a dead server) never comes back: closes therefore run on a
// thread of their own, and the GUI thread never waits on one for more than a moment.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

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
  void closeAll();
  // Waits up to `wait_ms` for the closes under way; false when some are still stuck, and then
  // SDL's audio must not be shut down (that would join the stuck thread again).
  bool finishCloses(int wait_ms);

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
  void closeDevice(uint32_t device);

  std::map<int, Stream> streams_;
  int next_id_ = 1;
  bool initialised_ = false;
  // Shared with the closing threads, which may outlive this object when a device is stuck.
  std::shared_ptr<std::atomic<int>> closes_underway_ = std::make_shared<std::atomic<int>>(0);
};

}  // namespace zorva::platform
