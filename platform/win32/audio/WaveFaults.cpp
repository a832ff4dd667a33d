#include "platform/win32/audio/WaveFaults.h"

namespace zorva::platform {
namespace {
constexpr int kSteps = 5;
MMRESULT g_faults[kSteps] = {};
}  // namespace

void failWaveStep(WaveStep step, MMRESULT code) { g_faults[static_cast<int>(step)] = code; }
void clearWaveFaults() {
  for (MMRESULT& f : g_faults) f = MMSYSERR_NOERROR;
}
MMRESULT waveFault(WaveStep step) { return g_faults[static_cast<int>(step)]; }

}  // namespace zorva::platform
