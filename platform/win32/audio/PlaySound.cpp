// PlaySoundA for in-memory WAVE images, synchronous: returns once the sound has been heard.
#include <cstdint>

#include "platform/backend/AudioBackend.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/win32/audio/MMSystem.h"
#include "platform/win32/audio/WaveDevice.h"
#include "platform/win32/audio/WaveImage.h"

namespace {

// A device may be slow to play its first bytes (a wireless headset, a sound server waking
// from suspend), so the first byte gets a long allowance; once bytes flow, a device that hears
// nothing more for the stall limit is taken as stuck, and the call gives up.
constexpr uint64_t kFirstByteLimitMs = 5000;
constexpr uint64_t kStallLimitMs = 2000;

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
  uint64_t heard = 0;
  uint64_t last_progress_ms = desktop.nowMs();
  bool finished = true;
  while (heard < image.sample_bytes) {
    const uint64_t now_heard = zorva::platform::heardBytes(stream);
    if (now_heard != heard) {
      heard = now_heard;
      last_progress_ms = desktop.nowMs();
      continue;
    }
    const uint64_t allowance_ms = heard == 0 ? kFirstByteLimitMs : kStallLimitMs;
    if (desktop.nowMs() - last_progress_ms > allowance_ms) {
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
