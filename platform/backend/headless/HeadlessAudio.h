// Virtual audio devices on the headless clock. Playback consumes queued bytes at the format's
// byte rate while started; capture produces the test's sample stream (after an optional delay,
// silence once it ends) at the same rate. Every sound heard is kept in a trace with its virtual
// start and end times and its bytes. Faults: no device, open refused, a position that stops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/backend/AudioBackend.h"

namespace zorva::platform {

// How a playback stream was fed. The waveform layer queues a PlaySound image into a stream that
// is not started yet and then starts it; waveOutOpen starts its stream at once, so each
// waveOutWrite queues into a running stream.
enum class SoundKind { PlaySound, WaveOutWrite };

struct TracedSound {
  SoundKind kind = SoundKind::PlaySound;
  AudioFormat format;
  uint64_t start_ms = 0;          // virtual time the first byte was heard
  uint64_t end_ms = 0;            // virtual time the last byte was heard, or the stream closed
  std::vector<uint8_t> bytes;     // the bytes queued
  uint64_t heard_bytes = 0;       // of those, how many were heard before the stream closed
  bool started = false;           // start_ms is known
  bool finished = false;          // end_ms is known
};

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

  // --- Set-up by tests --------------------------------------------------------------------
  // The capture device's input: `delay_ms` of silence from its start, then `samples`, then
  // silence. Applies to streams opened afterwards.
  void setCaptureSource(std::vector<uint8_t> samples, uint64_t delay_ms = 0);
  void setNoDevice(bool none) { no_device_ = none; }
  // The next `count` opens in `direction` are refused.
  void failOpens(AudioDirection direction, int count = 1);
  // Streams in `direction` stop advancing once `bytes` have been captured or heard (per stream).
  void stallAfter(AudioDirection direction, uint64_t bytes);
  // Streams in `direction` opened afterwards begin to move only `delay_ms` after they are
  // started, as a sound server waking from suspend or a wireless headset does.
  void startLate(AudioDirection direction, uint64_t delay_ms);
  void clearFaults();
  // Called when a traced sound's first byte is heard (the time is known at that call).
  std::function<void(const TracedSound&)> onSoundStart;
  // Called when a capture stream starts, that is when a recording begins.
  std::function<void()> onCaptureStart;

  // --- What was heard and opened ----------------------------------------------------------
  const std::vector<TracedSound>& trace() const { return trace_; }
  void clearTrace() { trace_.clear(); }
  int openStreamCount() const { return static_cast<int>(streams_.size()); }
  int opensTotal() const { return opens_total_; }

 private:
  struct Stream {
    AudioDirection direction = AudioDirection::Playback;
    AudioFormat format;
    bool running = false;
    uint64_t anchor_ms = 0;      // while running: when `anchor_bytes` was reached
    uint64_t anchor_bytes = 0;   // bytes heard (playback) or produced (capture) at anchor_ms
    uint64_t queued = 0;         // playback: bytes queued so far
    uint64_t read = 0;           // capture: bytes handed out so far
    std::vector<uint8_t> source;
    uint64_t source_delay_bytes = 0;
    uint64_t start_delay_ms = 0;  // how long after its first start the stream begins to move
    uint64_t moves_from_ms = 0;   // set by the first start: nothing moves before then
    std::vector<size_t> sounds;  // playback: trace indices, with their byte offsets below
    std::vector<uint64_t> offsets;
  };
  Stream* find(int stream, AudioDirection direction);
  uint64_t limit(const Stream& s) const;
  uint64_t position(const Stream& s, uint64_t now) const;
  uint64_t timeOf(const Stream& s, uint64_t byte) const;
  void settle(Stream& s, uint64_t now);
  void settleTrace(Stream& s, uint64_t now, uint64_t heard);

  std::function<uint64_t()> clock_ms_;
  std::map<int, Stream> streams_;
  int next_id_ = 1;
  int opens_total_ = 0;
  std::vector<TracedSound> trace_;
  std::vector<uint8_t> capture_source_;
  uint64_t capture_delay_ms_ = 0;
  bool no_device_ = false;
  int failing_opens_[2] = {0, 0};
  uint64_t stall_after_[2] = {UINT64_MAX, UINT64_MAX};
  uint64_t start_late_ms_[2] = {0, 0};
};

}  // namespace zorva::platform
