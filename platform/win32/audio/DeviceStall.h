// When a wait on a wave device's position gives up: one rule for PlaySoundA and for the
// program's own waits on its recordings. A device may be slow to deliver or play its first
// bytes (a wireless headset, a sound server waking from suspend, a loaded machine), so the
// first byte gets a long allowance; once bytes flow, a short pause means the device is stuck.
#pragma once

#include "platform/win32/WinTypes.h"

const DWORD kFirstByteLimitMs = 5000;
const DWORD kStallLimitMs = 2000;

// Whether a wait gives up: nothing yet after the first-byte allowance, or no progress for the
// stall limit since the position last moved.
BOOL DeviceStalled(DWORD dwPosition, DWORD dwWaitedMs, DWORD dwSinceMovedMs);
