// Waveform input: the default capture device records into the queued buffers by itself; here
// "by itself" means each position query pulls what the backend has captured into them.
#include <cstdint>
#include <vector>

#include "platform/backend/AudioBackend.h"
#include "platform/win32/audio/MMSystem.h"
#include "platform/win32/audio/WaveDevice.h"
#include "platform/win32/audio/WaveFaults.h"

using zorva::platform::AudioDirection;
using zorva::platform::AudioFormat;
using zorva::platform::WaveDevice;
using zorva::platform::WaveStep;

namespace {

WaveDevice* input(HWAVEIN h) {
  return WaveDevice::find(reinterpret_cast<uintptr_t>(h), AudioDirection::Capture);
}

// Moves captured bytes into the queued buffers; a full buffer is done and the next one takes
// over. Bytes captured with no buffer queued are lost, as on a real device.
void pullCaptured(WaveDevice& d) {
  if (!d.started) return;
  auto& be = zorva::platform::audioBackend();
  while (!d.queue().empty()) {
    LPWAVEHDR h = d.queue().front().header;
    const size_t room = h->dwBufferLength - h->dwBytesRecorded;
    const size_t got = room == 0 ? 0 : be.readCaptured(d.stream(), h->lpData + h->dwBytesRecorded, room);
    h->dwBytesRecorded += static_cast<DWORD>(got);
    d.position += got;
    if (h->dwBytesRecorded < h->dwBufferLength) return;
    h->dwFlags = (h->dwFlags & ~DWORD(WHDR_INQUEUE)) | WHDR_DONE;
    d.queue().pop_front();
  }
  std::vector<uint8_t> scratch(4096);
  while (be.readCaptured(d.stream(), scratch.data(), scratch.size()) == scratch.size()) {
  }
}

}  // namespace

MMRESULT WINAPI waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR, DWORD_PTR,
                           DWORD fdwOpen) {
  AudioFormat format;
  if (MMRESULT r = WaveDevice::checkOpen(uDeviceID, pwfx, fdwOpen, format)) return r;
  const bool query = (fdwOpen & WAVE_FORMAT_QUERY) != 0;
  if (phwi == nullptr && !query) return MMSYSERR_INVALPARAM;
  auto& be = zorva::platform::audioBackend();
  const int stream = be.openAudio(AudioDirection::Capture, format);
  if (stream < 0) return MMSYSERR_NODRIVER;
  if (query) {
    be.closeAudio(stream);
    return MMSYSERR_NOERROR;
  }
  *phwi = reinterpret_cast<HWAVEIN>(
      WaveDevice::add(std::make_unique<WaveDevice>(AudioDirection::Capture, format, stream)));
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) {
  WaveDevice* d = input(hwi);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (MMRESULT r = zorva::platform::waveFault(WaveStep::InPrepare)) return r;
  return d->prepare(pwh, cbwh);
}

MMRESULT WINAPI waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) {
  WaveDevice* d = input(hwi);
  if (!d) return MMSYSERR_INVALHANDLE;
  return d->unprepare(pwh, cbwh);
}

MMRESULT WINAPI waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) {
  WaveDevice* d = input(hwi);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (MMRESULT r = WaveDevice::checkQueueable(pwh, cbwh)) return r;
  if (MMRESULT r = zorva::platform::waveFault(WaveStep::InAddBuffer)) return r;
  pwh->dwBytesRecorded = 0;
  pwh->dwFlags = (pwh->dwFlags & ~DWORD(WHDR_DONE)) | WHDR_INQUEUE;
  d->queue().push_back({pwh, 0});
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInStart(HWAVEIN hwi) {
  WaveDevice* d = input(hwi);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (MMRESULT r = zorva::platform::waveFault(WaveStep::InStart)) return r;
  if (!d->started) {
    zorva::platform::audioBackend().startAudio(d->stream());
    d->started = true;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInGetPosition(HWAVEIN hwi, LPMMTIME pmmt, UINT cbmmt) {
  WaveDevice* d = input(hwi);
  if (!d) return MMSYSERR_INVALHANDLE;
  return d->queryPosition(pmmt, cbmmt, pullCaptured);
}

MMRESULT WINAPI waveInStop(HWAVEIN hwi) {
  WaveDevice* d = input(hwi);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (!d->started) return MMSYSERR_NOERROR;
  pullCaptured(*d);
  zorva::platform::audioBackend().stopAudio(d->stream());
  d->started = false;
  // The buffer being filled is handed back with what it holds; empty ones stay queued.
  if (!d->queue().empty() && d->queue().front().header->dwBytesRecorded > 0) {
    LPWAVEHDR h = d->queue().front().header;
    h->dwFlags = (h->dwFlags & ~DWORD(WHDR_INQUEUE)) | WHDR_DONE;
    d->queue().pop_front();
  }
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInReset(HWAVEIN hwi) {
  WaveDevice* d = input(hwi);
  if (!d) return MMSYSERR_INVALHANDLE;
  pullCaptured(*d);
  if (d->started) zorva::platform::audioBackend().stopAudio(d->stream());
  d->started = false;
  d->finishAll();
  d->position = 0;
  d->last_reported = 0;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInClose(HWAVEIN hwi) {
  WaveDevice* d = input(hwi);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (!d->queue().empty()) return WAVERR_STILLPLAYING;
  zorva::platform::audioBackend().closeAudio(d->stream());
  WaveDevice::remove(reinterpret_cast<uintptr_t>(hwi));
  return MMSYSERR_NOERROR;
}
