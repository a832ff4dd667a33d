// Failures of the waveform calls' own steps, for tests: a step set to fail returns its code
// (until cleared) instead of doing its work. Opening a device fails through the backend.
#pragma once

#include "platform/win32/audio/MMSystem.h"

namespace zorva::platform {

enum class WaveStep { InPrepare, InAddBuffer, InStart, OutPrepare, OutWrite };

void failWaveStep(WaveStep step, MMRESULT code);
void clearWaveFaults();
MMRESULT waveFault(WaveStep step);  // MMSYSERR_NOERROR when the step is not set to fail

}  // namespace zorva::platform
