#include "platform/win32/audio/DeviceStall.h"

BOOL DeviceStalled(DWORD dwPosition, DWORD dwWaitedMs, DWORD dwSinceMovedMs) {
  if (dwPosition == 0) return dwWaitedMs >= kFirstByteLimitMs;
  return dwSinceMovedMs >= kStallLimitMs;
}
