// Failure injection and accounting for tests of the kernel calls.
#pragma once

namespace zorva::platform {

// After `successes` more successful GlobalAlloc calls, the next one returns NULL (once).
void failGlobalAllocAfter(int successes);
// After `successes` more successful file reads (ReadFile), the next one fails with an I/O
// error (once), as a damaged disk would.
void failFileReadsAfter(int successes);
// Drops every injected fault.
void clearKernelFaults();

// Global memory blocks allocated and not yet freed.
int liveGlobalBlocks();

// Used by the calls themselves: true when this call must fail (and the fault is spent).
bool takeGlobalAllocFault();
bool takeFileReadFault();

}  // namespace zorva::platform
