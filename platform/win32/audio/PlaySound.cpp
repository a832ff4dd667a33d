// PlaySoundA for in-memory WAVE images, synchronous: returns once the sound has been heard.
#include <cstdint>

#include "platform/backend/AudioBackend.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/win32/audio/DeviceStall.h"
#include "platform/win32/audio/MMSystem.h"
#include "platform/win32/audio/WaveDevice.h"
#include "platform/win32/audio/WaveImage.h"

namespace {

// The flags that make sense for a synchronous in-memory sound; anything else (files, aliases,
// resources, asynchronous or looping play) is not offered and fails.
constexpr DWORD kAccepted = SND_MEMORY | SND_NODEFAULT | SND_NOSTOP | SND_NOWAIT;

bool playToEnd(const zorva::platform::WaveImage& image) {
  auto& be = zorva::platform::audioBackend();
  auto& desktop = zorva::platform::desktopBackend();
  const int stream = be.openAudio(zorva::platform::AudioDirection::Playback, image.format);
  if (stream < 0) return false;
  // Queued before the start, so the device begins with the whole sound in hand.
  be.queuePlayback(stream, image.samples, image.sample_bytes);
  be.startAudio(stream);
  // A stuck device must not hold the GUI thread: the call gives up by the devices' one rule.
  uint64_t heard = 0;
  const uint64_t started_ms = desktop.nowMs();
  uint64_t last_progress_ms = started_ms;
  bool finished = true;
  while (heard < image.sample_bytes) {
    const uint64_t now_heard = zorva::platform::heardBytes(stream);
    const uint64_t now_ms = desktop.nowMs();
    if (now_heard != heard) {
      heard = now_heard;
      last_progress_ms = now_ms;
      continue;
    }
    if (DeviceStalled(static_cast<DWORD>(heard), static_cast<DWORD>(now_ms - started_ms),
                      static_cast<DWORD>(now_ms - last_progress_ms))) {
      finished = false;
      break;
    }
    desktop.sleepMs(1);
  }
  be.closeAudio(stream);
  return finished;
}

}  // namespace

BOOL WINAPI PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound) {
  // No sound named: stop what plays. Nothing plays behind a synchronous call, so done.
  if (pszSound == nullptr) return TRUE;
  if (!(fdwSound & SND_MEMORY) || (fdwSound & ~kAccepted) != 0 || hmod != nullptr) return FALSE;
  zorva::platform::WaveImage image;
  if (!zorva::platform::parseWaveImage(pszSound, image)) return FALSE;
  if (image.sample_bytes == 0) return TRUE;
  return playToEnd(image) ? TRUE : FALSE;
}
