#include "platform/backend/headless/HeadlessAudio.h"

#include <algorithm>
#include <cstring>

namespace zorva::platform {
namespace {
int index(AudioDirection d) { return d == AudioDirection::Capture ? 0 : 1; }
uint64_t frameBytes(const AudioFormat& f) { return uint64_t(f.channels) * uint64_t(f.bits / 8); }
}  // namespace

void HeadlessAudio::setCaptureSource(std::vector<uint8_t> samples, uint64_t delay_ms) {
  capture_source_ = std::move(samples);
  capture_delay_ms_ = delay_ms;
}

void HeadlessAudio::failOpens(AudioDirection direction, int count) { failing_opens_[index(direction)] = count; }

void HeadlessAudio::stallAfter(AudioDirection direction, uint64_t bytes) {
  stall_after_[index(direction)] = bytes;
}

void HeadlessAudio::startLate(AudioDirection direction, uint64_t delay_ms) {
  start_late_ms_[index(direction)] = delay_ms;
}

void HeadlessAudio::clearFaults() {
  no_device_ = false;
  failing_opens_[0] = failing_opens_[1] = 0;
  stall_after_[0] = stall_after_[1] = UINT64_MAX;
  start_late_ms_[0] = start_late_ms_[1] = 0;
}

HeadlessAudio::Stream* HeadlessAudio::find(int stream, AudioDirection direction) {
  auto it = streams_.find(stream);
  if (it == streams_.end() || it->second.direction != direction) return nullptr;
  return &it->second;
}

int HeadlessAudio::open(AudioDirection direction, const AudioFormat& format) {
  if (no_device_) return -1;
  int& failing = failing_opens_[index(direction)];
  if (failing > 0) {
    --failing;
    return -1;
  }
  if ((format.bits != 8 && format.bits != 16) || format.channels < 1 || format.channels > 2 ||
      format.rate_hz <= 0)
    return -1;
  Stream s;
  s.direction = direction;
  s.format = format;
  s.start_delay_ms = start_late_ms_[index(direction)];
  if (direction == AudioDirection::Capture) {
    s.source = capture_source_;
    const uint64_t fb = frameBytes(format);
    s.source_delay_bytes = capture_delay_ms_ * uint64_t(format.bytesPerSecond()) / 1000 / fb * fb;
  }
  const int id = next_id_++;
  streams_[id] = std::move(s);
  ++opens_total_;
  return id;
}

uint64_t HeadlessAudio::limit(const Stream& s) const {
  const uint64_t stall = stall_after_[index(s.direction)];
  return s.direction == AudioDirection::Playback ? std::min(s.queued, stall) : stall;
}

uint64_t HeadlessAudio::position(const Stream& s, uint64_t now) const {
  if (!s.running) return std::min(s.anchor_bytes, std::max(limit(s), s.anchor_bytes));
  const uint64_t from = std::max(s.anchor_ms, s.moves_from_ms);
  if (now <= from) return s.anchor_bytes;
  const uint64_t fb = frameBytes(s.format);
  const uint64_t grown = (now - from) * uint64_t(s.format.bytesPerSecond()) / 1000 / fb * fb;
  return std::max(s.anchor_bytes, std::min(limit(s), s.anchor_bytes + grown));
}

uint64_t HeadlessAudio::timeOf(const Stream& s, uint64_t byte) const {
  const uint64_t from = std::max(s.anchor_ms, s.moves_from_ms);
  if (byte <= s.anchor_bytes) return from;
  const uint64_t bps = uint64_t(s.format.bytesPerSecond());
  return from + ((byte - s.anchor_bytes) * 1000 + bps - 1) / bps;
}

void HeadlessAudio::settleTrace(Stream& s, uint64_t now, uint64_t heard) {
  for (size_t i = 0; i < s.sounds.size(); ++i) {
    TracedSound& t = trace_[s.sounds[i]];
    if (t.finished) continue;
    const uint64_t begin = s.offsets[i];
    const uint64_t end = begin + t.bytes.size();
    if (!t.started && s.running && heard >= begin && heard < end) {
      t.started = true;
      t.start_ms = std::min(now, timeOf(s, begin));
      if (onSoundStart) onSoundStart(t);
    }
    t.heard_bytes = heard > begin ? std::min<uint64_t>(heard - begin, t.bytes.size()) : 0;
    if (heard >= end) {
      if (!t.started) t.start_ms = std::min(now, timeOf(s, begin));
      t.started = true;
      t.finished = true;
      t.end_ms = std::min(now, timeOf(s, end));
    }
  }
}

void HeadlessAudio::settle(Stream& s, uint64_t now) {
  const uint64_t heard = position(s, now);
  if (s.direction == AudioDirection::Playback) settleTrace(s, now, heard);
  // A stream that ran dry (or stalled) waits from now on, not from when it was last fed.
  if (s.running && heard >= limit(s)) {
    s.anchor_ms = now;
    s.anchor_bytes = heard;
  }
}

void HeadlessAudio::start(int stream) {
  auto it = streams_.find(stream);
  if (it == streams_.end() || it->second.running) return;
  Stream& s = it->second;
  const uint64_t now = clock_ms_();
  s.running = true;
  s.anchor_ms = now;
  if (s.start_delay_ms > 0) s.moves_from_ms = now + std::min(s.start_delay_ms, UINT64_MAX - now);
  s.start_delay_ms = 0;
  settle(s, now);
  if (s.direction == AudioDirection::Capture && onCaptureStart) onCaptureStart();
}

void HeadlessAudio::stop(int stream) {
  auto it = streams_.find(stream);
  if (it == streams_.end() || !it->second.running) return;
  Stream& s = it->second;
  const uint64_t now = clock_ms_();
  settle(s, now);
  s.anchor_bytes = position(s, now);
  s.anchor_ms = now;
  s.running = false;
}

void HeadlessAudio::close(int stream) {
  auto it = streams_.find(stream);
  if (it == streams_.end()) return;
  Stream& s = it->second;
  const uint64_t now = clock_ms_();
  settle(s, now);
  for (size_t i : s.sounds) {
    TracedSound& t = trace_[i];
    if (t.finished) continue;
    if (!t.started) t.start_ms = now;  // dropped before a byte of it was heard
    t.finished = true;
    t.end_ms = now;
  }
  streams_.erase(it);
}

size_t HeadlessAudio::readCaptured(int stream, void* dst, size_t bytes) {
  Stream* s = find(stream, AudioDirection::Capture);
  if (!s || dst == nullptr) return 0;
  const uint64_t produced = position(*s, clock_ms_());
  const size_t n = static_cast<size_t>(std::min<uint64_t>(bytes, produced - s->read));
  auto* out = static_cast<uint8_t*>(dst);
  const uint8_t silence = s->format.bits == 8 ? 0x80 : 0x00;
  for (size_t k = 0; k < n; ++k) {
    const uint64_t at = s->read + k;
    const bool in_source = at >= s->source_delay_bytes && at - s->source_delay_bytes < s->source.size();
    out[k] = in_source ? s->source[at - s->source_delay_bytes] : silence;
  }
  s->read += n;
  return n;
}

void HeadlessAudio::queuePlayback(int stream, const void* src, size_t bytes) {
  Stream* s = find(stream, AudioDirection::Playback);
  if (!s || src == nullptr || bytes == 0) return;
  const uint64_t now = clock_ms_();
  settle(*s, now);
  TracedSound t;
  t.kind = s->running ? SoundKind::WaveOutWrite : SoundKind::PlaySound;
  t.format = s->format;
  const auto* p = static_cast<const uint8_t*>(src);
  t.bytes.assign(p, p + bytes);
  s->sounds.push_back(trace_.size());
  s->offsets.push_back(s->queued);
  trace_.push_back(std::move(t));
  s->queued += bytes;
  settle(*s, now);
}

uint64_t HeadlessAudio::playedBytes(int stream) {
  Stream* s = find(stream, AudioDirection::Playback);
  if (!s) return 0;
  const uint64_t now = clock_ms_();
  settle(*s, now);
  return position(*s, now);
}

}  // namespace zorva::platform
