#include "platform/win32/audio/WaveDevice.h"

#include <algorithm>
#include <map>

#include "platform/backend/DesktopBackend.h"
#include "platform/backend/PixelHoldingDesktop.h"

namespace zorva::platform {
namespace {
std::map<uintptr_t, std::unique_ptr<WaveDevice>>& devices() {
  static std::map<uintptr_t, std::unique_ptr<WaveDevice>> all;
  return all;
}
uintptr_t g_next_handle = 0x5100;
}  // namespace

uint64_t heardBytes(int stream) {
  showHeldPixels();
  return audioBackend().playedBytes(stream);
}

MMRESULT WaveDevice::checkOpen(UINT device_id, LPCWAVEFORMATEX f, DWORD fdw_open, AudioFormat& out) {
  if (f == nullptr) return MMSYSERR_INVALPARAM;
  // Only the default device exists: it answers to WAVE_MAPPER and to its own id 0.
  if (device_id != WAVE_MAPPER && device_id != 0) return MMSYSERR_BADDEVICEID;
  // Notification is not offered; the program polls positions.
  if ((fdw_open & CALLBACK_TYPEMASK) != CALLBACK_NULL) return MMSYSERR_NOTSUPPORTED;
  if ((fdw_open & ~(DWORD(CALLBACK_TYPEMASK) | WAVE_FORMAT_QUERY)) != 0) return MMSYSERR_INVALFLAG;
  if (f->wFormatTag != WAVE_FORMAT_PCM) return WAVERR_BADFORMAT;
  if ((f->nChannels != 1 && f->nChannels != 2) || (f->wBitsPerSample != 8 && f->wBitsPerSample != 16))
    return WAVERR_BADFORMAT;
  if (f->nSamplesPerSec == 0 || f->nSamplesPerSec > 1'000'000) return WAVERR_BADFORMAT;
  if (f->nBlockAlign != f->nChannels * f->wBitsPerSample / 8) return WAVERR_BADFORMAT;
  if (f->nAvgBytesPerSec != f->nSamplesPerSec * f->nBlockAlign) return WAVERR_BADFORMAT;
  out.rate_hz = static_cast<int>(f->nSamplesPerSec);
  out.channels = f->nChannels;
  out.bits = f->wBitsPerSample;
  return MMSYSERR_NOERROR;
}

uintptr_t WaveDevice::add(std::unique_ptr<WaveDevice> device) {
  const uintptr_t handle = g_next_handle++;
  devices()[handle] = std::move(device);
  return handle;
}

WaveDevice* WaveDevice::find(uintptr_t handle, AudioDirection direction) {
  auto it = devices().find(handle);
  if (it == devices().end() || it->second->direction() != direction) return nullptr;
  return it->second.get();
}

void WaveDevice::remove(uintptr_t handle) { devices().erase(handle); }

MMRESULT WaveDevice::prepare(LPWAVEHDR h, UINT size) {
  if (h == nullptr || size < sizeof(WAVEHDR) || (h->lpData == nullptr && h->dwBufferLength != 0))
    return MMSYSERR_INVALPARAM;
  h->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WaveDevice::unprepare(LPWAVEHDR h, UINT size) {
  if (h == nullptr || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  if (h->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  // A caller that cleared the flags by hand must not leave us holding its header.
  auto& q = queue_;
  q.erase(std::remove_if(q.begin(), q.end(), [h](const QueuedHeader& e) { return e.header == h; }), q.end());
  h->dwFlags &= ~DWORD(WHDR_PREPARED);
  return MMSYSERR_NOERROR;
}

MMRESULT WaveDevice::checkQueueable(LPWAVEHDR h, UINT size) {
  if (h == nullptr || size < sizeof(WAVEHDR) || h->lpData == nullptr) return MMSYSERR_INVALPARAM;
  if (!(h->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (h->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  return MMSYSERR_NOERROR;
}

MMRESULT WaveDevice::queryPosition(LPMMTIME time, UINT time_size, void (*update)(WaveDevice&)) {
  if (time == nullptr || time_size < sizeof(MMTIME)) return MMSYSERR_INVALPARAM;
  update(*this);
  if (position == last_reported) {
    desktopBackend().sleepMs(1);
    update(*this);
  }
  last_reported = position;
  return reportPosition(time, time_size, position);
}

MMRESULT WaveDevice::reportPosition(LPMMTIME t, UINT size, uint64_t bytes) const {
  if (t == nullptr || size < sizeof(MMTIME)) return MMSYSERR_INVALPARAM;
  const uint64_t frame = uint64_t(format_.channels) * uint64_t(format_.bits / 8);
  switch (t->wType) {
    case TIME_MS:
      t->u.ms = static_cast<DWORD>(bytes * 1000 / uint64_t(format_.bytesPerSecond()));
      break;
    case TIME_SAMPLES:
      t->u.sample = static_cast<DWORD>(bytes / frame);
      break;
    default:
      t->wType = TIME_BYTES;
      t->u.cb = static_cast<DWORD>(bytes);
      break;
  }
  return MMSYSERR_NOERROR;
}

void WaveDevice::finishAll() {
  for (QueuedHeader& e : queue_) {
    e.header->dwFlags &= ~DWORD(WHDR_INQUEUE);
    e.header->dwFlags |= WHDR_DONE;
  }
  queue_.clear();
}

}  // namespace zorva::platform
