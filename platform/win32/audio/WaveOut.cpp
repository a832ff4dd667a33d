// Waveform output: the default playback device plays the written buffers by itself; each
// position query measures what has been heard and hands finished buffers back (WHDR_DONE).
#include <cstdint>

#include "platform/backend/AudioBackend.h"
#include "platform/win32/audio/MMSystem.h"
#include "platform/win32/audio/WaveDevice.h"
#include "platform/win32/audio/WaveFaults.h"

using zorva::platform::AudioDirection;
using zorva::platform::AudioFormat;
using zorva::platform::WaveDevice;
using zorva::platform::WaveStep;

namespace {

WaveDevice* output(HWAVEOUT h) {
  return WaveDevice::find(reinterpret_cast<uintptr_t>(h), AudioDirection::Playback);
}

// An output device plays as soon as it is written to, so its stream runs from the start.
bool openStream(WaveDevice& d) {
  auto& be = zorva::platform::audioBackend();
  const int stream = be.openAudio(AudioDirection::Playback, d.format());
  d.setStream(stream);
  if (stream < 0) return false;
  be.startAudio(stream);
  return true;
}

void measureHeard(WaveDevice& d) {
  if (d.stream() < 0) return;
  const uint64_t heard = zorva::platform::heardBytes(d.stream());
  d.position = heard < d.written ? heard : d.written;
  while (!d.queue().empty() && d.queue().front().end <= d.position) {
    LPWAVEHDR h = d.queue().front().header;
    h->dwFlags = (h->dwFlags & ~DWORD(WHDR_INQUEUE)) | WHDR_DONE;
    d.queue().pop_front();
  }
}

}  // namespace

MMRESULT WINAPI waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR, DWORD_PTR,
                            DWORD fdwOpen) {
  AudioFormat format;
  if (MMRESULT r = WaveDevice::checkOpen(uDeviceID, pwfx, fdwOpen, format)) return r;
  const bool query = (fdwOpen & WAVE_FORMAT_QUERY) != 0;
  if (phwo == nullptr && !query) return MMSYSERR_INVALPARAM;
  auto device = std::make_unique<WaveDevice>(AudioDirection::Playback, format, -1);
  if (!openStream(*device)) return MMSYSERR_NODRIVER;
  if (query) {
    zorva::platform::audioBackend().closeAudio(device->stream());
    return MMSYSERR_NOERROR;
  }
  *phwo = reinterpret_cast<HWAVEOUT>(WaveDevice::add(std::move(device)));
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) {
  WaveDevice* d = output(hwo);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (MMRESULT r = zorva::platform::waveFault(WaveStep::OutPrepare)) return r;
  return d->prepare(pwh, cbwh);
}

MMRESULT WINAPI waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) {
  WaveDevice* d = output(hwo);
  if (!d) return MMSYSERR_INVALHANDLE;
  return d->unprepare(pwh, cbwh);
}

MMRESULT WINAPI waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) {
  WaveDevice* d = output(hwo);
  if (!d) return MMSYSERR_INVALHANDLE;
  if (MMRESULT r = WaveDevice::checkQueueable(pwh, cbwh)) return r;
  if (MMRESULT r = zorva::platform::waveFault(WaveStep::OutWrite)) return r;
  // After a reset the device is reopened for the next buffer.
  if (d->stream() < 0 && !openStream(*d)) return MMSYSERR_NODRIVER;
  pwh->dwFlags = (pwh->dwFlags & ~DWORD(WHDR_DONE)) | WHDR_INQUEUE;
  zorva::platform::audioBackend().queuePlayback(d->stream(), pwh->lpData, pwh->dwBufferLength);
  d->written += pwh->dwBufferLength;
  d->queue().push_back({pwh, d->written});
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutGetPosition(HWAVEOUT hwo, LPMMTIME pmmt, UINT cbmmt) {
  WaveDevice* d = output(hwo);
  if (!d) return MMSYSERR_INVALHANDLE;
  return d->queryPosition(pmmt, cbmmt, measureHeard);
}

MMRESULT WINAPI waveOutReset(HWAVEOUT hwo) {
  WaveDevice* d = output(hwo);
  if (!d) return MMSYSERR_INVALHANDLE;
  // Dropping what is queued: the stream goes, and a new one opens with the next write.
  if (d->stream() >= 0) zorva::platform::audioBackend().closeAudio(d->stream());
  d->setStream(-1);
  d->finishAll();
  d->position = d->last_reported = d->written = 0;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutClose(HWAVEOUT hwo) {
  WaveDevice* d = output(hwo);
  if (!d) return MMSYSERR_INVALHANDLE;
  measureHeard(*d);
  if (!d->queue().empty()) return WAVERR_STILLPLAYING;
  if (d->stream() >= 0) zorva::platform::audioBackend().closeAudio(d->stream());
  WaveDevice::remove(reinterpret_cast<uintptr_t>(hwo));
  return MMSYSERR_NOERROR;
}
