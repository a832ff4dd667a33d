// The kernel32 subset: global memory, the tick count, string and memory helpers; the file
// calls (FileApi.h) come in with this header. The pure
// rectangle helpers of user32 live in WinRect.h and come in with this header.
#pragma once

#include <cstring>

#include "../WinTypes.h"
#include "FileApi.h"
#include "WinRect.h"

// 64-bit integers of the API (the same typedef may appear elsewhere; repeating it is harmless).
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;

// Global memory: a handle names a block; a fixed block's handle is its own address, a moveable
// block's must be locked to get one.
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// NULL for unknown flags, for 2 GiB or more, or when memory runs out.
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
LPVOID GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
HGLOBAL GlobalFree(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);

// Milliseconds on the desktop's clock (virtual on the headless desktop).
DWORD GetTickCount();
void Sleep(DWORD dwMilliseconds);

// nNumber * nNumerator / nDenominator with a 64-bit intermediate, rounded half away from zero;
// -1 when the denominator is 0 or the result does not fit.
int MulDiv(int nNumber, int nNumerator, int nDenominator);

int lstrlenA(LPCSTR lpString);
LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2);
LPSTR lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2);
int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2);
#define lstrlen lstrlenA
#define lstrcpy lstrcpyA
#define lstrcpyn lstrcpynA
#define lstrcmp lstrcmpA
#define lstrcmpi lstrcmpiA

#define ZeroMemory(dest, len) std::memset((dest), 0, (len))
#define FillMemory(dest, len, fill) std::memset((dest), (fill), (len))
#define CopyMemory(dest, src, len) std::memcpy((dest), (src), (len))
#define MoveMemory(dest, src, len) std::memmove((dest), (src), (len))
