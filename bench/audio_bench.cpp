// Records 3 s and plays it back through the program's polling loops and prints CPU time over
// wall time, and the delays around playback, on SDL2's devices and on the virtual ones.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "platform/backend/AudioBackend.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/backend/sdl/SdlAudio.h"
#include "platform/win32/audio/MMSystem.h"

using namespace zorva::platform;

namespace {
constexpr DWORD kBytes = 3 * 44100;

double cpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }
double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool run(const char* name) {
  WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
  std::vector<char> buf(kBytes);
  WAVEHDR h{}; h.lpData = buf.data(); h.dwBufferLength = kBytes;
  MMTIME t{}; t.wType = TIME_BYTES;
  const double cpu0 = cpuSeconds(), wall0 = wallSeconds();
  const uint64_t clock0 = desktopBackend().nowMs();
  HWAVEIN in = nullptr;
  if (MMRESULT r = waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL)) { std::printf("%s: waveInOpen %u\n", name, r); return false; }
  waveInPrepareHeader(in, &h, sizeof h); waveInAddBuffer(in, &h, sizeof h); waveInStart(in);
  do { waveInGetPosition(in, &t, sizeof t); } while (t.u.cb < kBytes - 10);
  waveInReset(in); waveInStop(in); h.dwFlags = 0; waveInUnprepareHeader(in, &h, sizeof h); waveInClose(in);
  HWAVEOUT out = nullptr;
  if (MMRESULT r = waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL)) { std::printf("%s: waveOutOpen %u\n", name, r); return false; }
  waveOutPrepareHeader(out, &h, sizeof h);
  const uint64_t written = desktopBackend().nowMs();
  waveOutWrite(out, &h, sizeof h);
  uint64_t first = 0, last = 0;
  t.wType = TIME_BYTES; t.u.cb = 0;
  do {
    waveOutGetPosition(out, &t, sizeof t);
    if (first == 0 && t.u.cb > 0) first = desktopBackend().nowMs();
  } while (t.u.cb < kBytes - 10);
  last = desktopBackend().nowMs();
  waveOutReset(out); h.dwFlags = 0; waveOutUnprepareHeader(out, &h, sizeof h); waveOutClose(out);
  const uint64_t end = desktopBackend().nowMs();
  const double cpu = cpuSeconds() - cpu0, wall = wallSeconds() - wall0;
  std::printf("%s: backend clock %llu ms, CPU %.3f s / wall %.3f s = %.1f %%\n", name,
              (unsigned long long)(end - clock0), cpu, wall, wall > 0 ? 100.0 * cpu / wall : 0.0);
  std::printf("%s: waveOutWrite to first sample heard %llu ms; last sample heard to loop end %llu ms\n", name,
              (unsigned long long)(first - written), (unsigned long long)(end - last));
  return true;
}
}  // namespace

int main() {
  HeadlessBackend::install();
  bool ok = run("virtual");
  // No window: the headless desktop on the machine's clock, and SDL's sound devices.
  HeadlessBackend::install(HeadlessClock::Steady);
  installAudioBackend(std::make_shared<SdlAudio>());
  ok = run("sdl2") && ok;
  installDesktopBackend(nullptr);
  installAudioBackend(nullptr);
  return ok ? 0 : 1;
}
