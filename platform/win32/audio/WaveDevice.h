// One open waveform device, input or output, as the waveIn*/waveOut* calls see it: the backend
// stream behind it, the headers queued on it and its byte position. Handles are numbers that
// are never reused, so a closed handle stays invalid.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include "platform/backend/AudioBackend.h"
#include "platform/win32/audio/MMSystem.h"

namespace zorva::platform {

struct QueuedHeader {
  LPWAVEHDR header = nullptr;
  uint64_t end = 0;  // output: the stream byte at which this buffer has been heard
};

// How many of a playback stream's bytes have been heard. Every wait on a sound asks this, so the
// desktop first shows the pixels it holds back: what the learner sees is never older than what
// they hear.
uint64_t heardBytes(int stream);

class WaveDevice {
 public:
  WaveDevice(AudioDirection direction, const AudioFormat& format, int stream)
      : direction_(direction), format_(format), stream_(stream) {}

  // Checks the arguments every open shares and turns the format into ours.
  static MMRESULT checkOpen(UINT device_id, LPCWAVEFORMATEX format, DWORD fdw_open, AudioFormat& out);
  static uintptr_t add(std::unique_ptr<WaveDevice> device);
  static WaveDevice* find(uintptr_t handle, AudioDirection direction);
  static void remove(uintptr_t handle);

  MMRESULT prepare(LPWAVEHDR header, UINT header_size);
  MMRESULT unprepare(LPWAVEHDR header, UINT header_size);
  // The checks before a buffer is queued: size, prepared, not already queued.
  static MMRESULT checkQueueable(LPWAVEHDR header, UINT header_size);
  // A position query: `update` brings `position` up to date; when it has not moved since the
  // previous query, the device is given a millisecond and asked again, so a tight polling loop
  // costs almost no CPU. The position goes into the caller's MMTIME in its time type (bytes
  // when it asks for one we do not keep, which is then set to TIME_BYTES).
  MMRESULT queryPosition(LPMMTIME time, UINT time_size, void (*update)(WaveDevice&));
  // Marks every queued header done and empties the queue.
  void finishAll();

  AudioDirection direction() const { return direction_; }
  const AudioFormat& format() const { return format_; }
  int stream() const { return stream_; }
  void setStream(int stream) { stream_ = stream; }
  std::deque<QueuedHeader>& queue() { return queue_; }
  bool started = false;
  uint64_t position = 0;       // bytes recorded into buffers / heard since open or reset
  uint64_t last_reported = 0;  // the position the previous query returned
  uint64_t written = 0;        // output: bytes handed to the stream since open or reset

 private:
  MMRESULT reportPosition(LPMMTIME time, UINT time_size, uint64_t bytes) const;

  AudioDirection direction_;
  AudioFormat format_;
  int stream_;
  std::deque<QueuedHeader> queue_;
};

}  // namespace zorva::platform
