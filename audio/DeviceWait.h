// How long the recorder waits on a device position that does not move. A device may be slow to
// deliver its first bytes (a wireless headset, a sound server waking from suspend, a loaded
// machine), so the first byte gets a long allowance; once bytes flow, a short pause means the
// device is stuck.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

const DWORD kFirstByteLimitMs = 5000;
const DWORD kStallLimitMs = 2000;

// Whether a wait gives up: nothing yet after the first-byte allowance, or no progress for the
// stall limit since the position last moved.
BOOL DeviceStalled(DWORD dwPosition, DWORD dwWaitedMs, DWORD dwSinceMovedMs);

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
