// The recorder's waits on a device position, giving up on a device that does not move by the
// platform's one rule (DeviceStall.h).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "platform/win32/audio/DeviceStall.h"

// Polls `query` (which fills the byte count of an MMTIME set to TIME_BYTES) until it reports at
// least `target` or the device stalls, on the platform's clock. Returns the last position.
template <typename Query>
DWORD WaitForPosition(DWORD target, Query query) {
  MMTIME time;
  std::memset(&time, 0, sizeof time);
  time.wType = TIME_BYTES;
  DWORD last = 0;
  const DWORD started = GetTickCount();
  DWORD lastMoved = started;
  for (;;) {
    query(&time);
    const DWORD position = time.u.cb;
    if (position >= target) return position;
    const DWORD now = GetTickCount();
    if (position != last) {
      last = position;
      lastMoved = now;
    } else if (DeviceStalled(position, now - started, now - lastMoved)) {
      return position;
    }
    time.wType = TIME_BYTES;  // a device may answer in another format; ask for bytes again
  }
}
