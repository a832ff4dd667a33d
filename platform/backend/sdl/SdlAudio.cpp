#include "platform/backend/sdl/SdlAudio.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

namespace zorva::platform {
namespace {
// How long a close may hold the GUI thread before it is left to finish by itself.
constexpr Uint64 kCloseWaitMs = 250;
// How long the devices, when they end, may finish closing before they are left to it.
constexpr int kCloseAtEndMs = 300;

constexpr int kBeepRateHz = 22050;
constexpr int kBeepMs = 100;
constexpr double kBeepToneHz = 880.0;

// A short sine with soft edges, so the cue does not click.
std::vector<int16_t> beepTone() {
  const int samples = kBeepRateHz * kBeepMs / 1000;
  const int fade = kBeepRateHz * 5 / 1000;
  std::vector<int16_t> tone(static_cast<size_t>(samples));
  for (int i = 0; i < samples; ++i) {
    const double edge = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(samples - i) / fade});
    const double value = std::sin(2.0 * M_PI * kBeepToneHz * i / kBeepRateHz) * edge * 8000.0;
    tone[static_cast<size_t>(i)] = static_cast<int16_t>(value);
  }
  return tone;
}
}  // namespace

SdlAudio::~SdlAudio() {
  if (beep_device_ != 0) SDL_CloseAudioDevice(beep_device_);
  for (auto& [id, s] : streams_) closeDevice(s.device);
  streams_.clear();
  if (!finishCloses(kCloseAtEndMs)) {
    library_->leaveRunning();
    return;
  }
  if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudio::closeDevice(uint32_t device) {
  // Paused first, so no more sound is heard or taken whatever the close thread does.
  SDL_PauseAudioDevice(device, 1);
  const int before = closes_underway_->load();
  std::shared_ptr<std::atomic<int>> underway = closes_underway_;
  ++*underway;
  std::thread([device, underway] {
    SDL_CloseAudioDevice(device);
    --*underway;
  }).detach();
  // A device that closes normally is gone when this returns, as callers expect; only a stuck
  // one is left to its thread.
  const Uint64 give_up_at = SDL_GetTicks64() + kCloseWaitMs;
  while (underway->load() > before && SDL_GetTicks64() < give_up_at) SDL_Delay(1);
}

bool SdlAudio::finishCloses(int wait_ms) {
  const Uint64 give_up_at = SDL_GetTicks64() + static_cast<Uint64>(std::max(wait_ms, 0));
  while (closes_underway_->load() > 0) {
    if (SDL_GetTicks64() >= give_up_at) return false;
    SDL_Delay(5);
  }
  return true;
}

bool SdlAudio::ready() {
  if (!tried_) {
    tried_ = true;
    initialised_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!initialised_) std::fprintf(stderr, "zorva: no sound devices: %s\n", SDL_GetError());
  }
  return initialised_;
}

SdlAudio::Stream* SdlAudio::find(int stream) {
  auto it = streams_.find(stream);
  return it == streams_.end() ? nullptr : &it->second;
}

int SdlAudio::openAudio(AudioDirection direction, const AudioFormat& format) {
  if (!ready()) return -1;
  if (format.bits != 8 && format.bits != 16) return -1;
  if (format.channels < 1 || format.channels > 2 || format.rate_hz <= 0) return -1;
  SDL_AudioSpec want{};
  want.freq = format.rate_hz;
  want.format = format.bits == 16 ? AUDIO_S16LSB : AUDIO_U8;
  want.channels = static_cast<Uint8>(format.channels);
  want.samples = 1024;
  want.callback = nullptr;  // queue mode: SDL_QueueAudio / SDL_DequeueAudio
  SDL_AudioSpec have{};
  const int capture = direction == AudioDirection::Capture ? 1 : 0;
  // Allowed changes 0: SDL converts to whatever the device really runs at.
  SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, capture, &want, &have, 0);
  if (device == 0) return -1;
  Stream s;
  s.device = device;
  s.direction = direction;
  s.format = format;
  // Beyond SDL's queue a sound sits in SDL's mixing buffer and then in the device's own, one
  // buffer each; closing the stream drops both, so they count as not yet heard.
  const uint64_t buffer = have.size != 0 ? have.size : uint64_t(have.samples) * format.channels * (format.bits / 8);
  s.device_buffer = 2 * buffer;
  const int id = next_id_++;
  streams_[id] = s;
  return id;
}

void SdlAudio::startAudio(int stream) {
  Stream* s = find(stream);
  if (!s || s->running) return;
  s->running = true;
  s->drained = false;  // time while paused is not playing time
  SDL_PauseAudioDevice(s->device, 0);
}

void SdlAudio::stopAudio(int stream) {
  Stream* s = find(stream);
  if (!s || !s->running) return;
  if (s->direction == AudioDirection::Playback) playedBytes(stream);
  s->running = false;
  s->drained = false;
  SDL_PauseAudioDevice(s->device, 1);
}

void SdlAudio::closeAudio(int stream) {
  Stream* s = find(stream);
  if (!s) return;
  closeDevice(s->device);
  streams_.erase(stream);
}

size_t SdlAudio::readCaptured(int stream, void* dst, size_t bytes) {
  Stream* s = find(stream);
  if (!s || s->direction != AudioDirection::Capture || dst == nullptr || bytes == 0) return 0;
  const Uint32 ask = static_cast<Uint32>(std::min<size_t>(bytes, 0x7fffffff));
  return SDL_DequeueAudio(s->device, dst, ask);
}

void SdlAudio::queuePlayback(int stream, const void* src, size_t bytes) {
  Stream* s = find(stream);
  if (!s || s->direction != AudioDirection::Playback || src == nullptr || bytes == 0) return;
  playedBytes(stream);  // settle the heard count before the queue grows again
  if (SDL_QueueAudio(s->device, src, static_cast<Uint32>(bytes)) == 0) {
    s->queued += bytes;
    s->drained = false;
  }
}

uint64_t SdlAudio::playedBytes(int stream) {
  Stream* s = find(stream);
  if (!s || s->direction != AudioDirection::Playback) return 0;
  const uint64_t waiting = SDL_GetQueuedAudioSize(s->device);
  const uint64_t in_flight = std::min(s->queued, waiting + s->device_buffer);
  uint64_t heard = s->queued - in_flight;
  if (s->running && waiting == 0) {
    // SDL's queue is empty: what is left sits in the device buffer and plays out in real time.
    const uint64_t now = SDL_GetTicks64();
    if (!s->drained) {
      s->drained = true;
      s->drained_at_ms = now;
      s->heard_at_drain = std::max(heard, s->heard);
    }
    const uint64_t bps = uint64_t(s->format.bytesPerSecond());
    heard = std::min(s->queued, s->heard_at_drain + (now - s->drained_at_ms) * bps / 1000);
  }
  s->heard = std::max(s->heard, heard);
  return s->heard;
}

void SdlAudio::beep(unsigned /*type*/) {
  if (beep_unavailable_ || !ready()) return;
  if (beep_device_ == 0) {
    SDL_AudioSpec want{};
    want.freq = kBeepRateHz;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 1024;
    beep_device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (beep_device_ == 0) {
      beep_unavailable_ = true;
      return;
    }
    SDL_PauseAudioDevice(beep_device_, 0);
  }
  // Beeps in quick succession do not pile up into a long tone.
  if (SDL_GetQueuedAudioSize(beep_device_) > 0) return;
  static const std::vector<int16_t> tone = beepTone();
  SDL_QueueAudio(beep_device_, tone.data(), static_cast<Uint32>(tone.size() * sizeof(int16_t)));
}

}  // namespace zorva::platform
