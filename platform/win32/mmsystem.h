// Waveform audio: PlaySoundA and the waveform-input and waveform-output devices.
#pragma once

#include "windows.h"
#include "audio/MMSystem.h"
