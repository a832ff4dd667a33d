// SDL2 audio devices behind the sound half of the seam: the default capture and playback devices
// in the format asked for (SDL converts when the hardware wants another), fed and drained through
// SDL's own thread-safe queue, so nothing of ours runs on SDL's audio thread; and the beep, a
// short tone on a playback device of its own.
//
// SDL's sound part starts at the first sound or beep, not with the program: it takes time the
// title screen need not wait for.
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

#include "platform/backend/AudioBackend.h"
#include "platform/backend/sdl/SdlLibrary.h"

namespace zorva::platform {

class SdlAudio final : public AudioBackend {
 public:
  SdlAudio() = default;
  // Closes every device; lets those still closing finish for a moment, and leaves SDL running
  // when one is stuck.
  ~SdlAudio() override;
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  int openAudio(AudioDirection direction, const AudioFormat& format) override;
  void startAudio(int stream) override;
  void stopAudio(int stream) override;
  void closeAudio(int stream) override;
  size_t readCaptured(int stream, void* dst, size_t bytes) override;
  void queuePlayback(int stream, const void* src, size_t bytes) override;
  // Bytes heard: those handed to SDL less those still in SDL's queue, its mixing buffer and the
  // device's own; the last buffers' worth is counted in as time passes after the queue runs dry.
  uint64_t playedBytes(int stream) override;
  // SDL has no system sound: every kind of beep is the same short tone on the default output.
  void beep(unsigned type) override;

 private:
  struct Stream {
    uint32_t device = 0;
    AudioDirection direction = AudioDirection::Playback;
    AudioFormat format;
    uint64_t queued = 0;         // bytes handed to SDL
    uint64_t device_buffer = 0;  // bytes beyond SDL's queue: its mixing buffer and the device's
    uint64_t heard = 0;          // never goes back
    bool running = false;
    bool drained = false;        // SDL's queue was found empty since the last queueing
    uint64_t drained_at_ms = 0;
    uint64_t heard_at_drain = 0;
  };
  Stream* find(int stream);
  // False (said once) when there are no sound devices.
  bool ready();
  void closeDevice(uint32_t device);
  // Waits up to `wait_ms` for the closes under way; false when some are still stuck, and then
  // SDL's audio must not be shut down (that would join the stuck thread again).
  bool finishCloses(int wait_ms);

  // Declared first so that it ends last: SDL is shut down after every device is closed.
  std::shared_ptr<SdlLibrary> library_ = SdlLibrary::hold();
  std::map<int, Stream> streams_;
  int next_id_ = 1;
  bool tried_ = false;
  bool initialised_ = false;
  uint32_t beep_device_ = 0;
  bool beep_unavailable_ = false;
  // Shared with the closing threads, which may outlive this object when a device is stuck.
  std::shared_ptr<std::atomic<int>> closes_underway_ = std::make_shared<std::atomic<int>>(0);
};

}  // namespace zorva::platform
