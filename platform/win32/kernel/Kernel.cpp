// The tick count and the small string helpers of kernel32.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <limits>

#include "WinBase.h"
#include "platform/backend/DesktopBackend.h"

DWORD GetTickCount() {
  // Wraps after 49.7 days, as on Win32.
  return static_cast<DWORD>(zorva::platform::desktopBackend().nowMs());
}

void Sleep(DWORD dwMilliseconds) {
  DWORD left = dwMilliseconds;
  const DWORD kChunk = static_cast<DWORD>(std::numeric_limits<int>::max());
  while (left > 0) {
    DWORD step = left < kChunk ? left : kChunk;
    zorva::platform::desktopBackend().sleepMs(static_cast<int>(step));
    left -= step;
  }
}

int MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0) return -1;
  int64_t product = static_cast<int64_t>(nNumber) * nNumerator;
  int64_t den = nDenominator;
  bool negative = (product < 0) != (den < 0);
  uint64_t p = product < 0 ? uint64_t(0) - uint64_t(product) : uint64_t(product);
  uint64_t d = den < 0 ? uint64_t(-den) : uint64_t(den);
  uint64_t q = (p + d / 2) / d;  // half away from zero
  if (q > uint64_t(std::numeric_limits<int>::max()) + (negative ? 1u : 0u)) return -1;
  return negative ? static_cast<int>(-static_cast<int64_t>(q)) : static_cast<int>(q);
}

int lstrlenA(LPCSTR lpString) {
  return lpString == nullptr ? 0 : static_cast<int>(std::strlen(lpString));
}

LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  return std::strcpy(lpString1, lpString2);
}

LPSTR lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
  if (lpString1 == nullptr || lpString2 == nullptr || iMaxLength <= 0) return nullptr;
  int i = 0;
  for (; i < iMaxLength - 1 && lpString2[i] != '\0'; ++i) lpString1[i] = lpString2[i];
  lpString1[i] = '\0';
  return lpString1;
}

int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
  int r = std::strcmp(lpString1 ? lpString1 : "", lpString2 ? lpString2 : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(lpString1 ? lpString1 : "");
  const unsigned char* b = reinterpret_cast<const unsigned char*>(lpString2 ? lpString2 : "");
  for (;; ++a, ++b) {
    int ca = std::tolower(*a), cb = std::tolower(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}
