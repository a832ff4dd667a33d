#include "KernelFaults.h"

namespace zorva::platform {
namespace {

// -1: no fault armed; otherwise the number of calls still allowed to succeed.
int g_allocSuccessesLeft = -1;
int g_readSuccessesLeft = -1;

bool take(int& successesLeft) {
  if (successesLeft < 0) return false;
  if (successesLeft == 0) {
    successesLeft = -1;
    return true;
  }
  --successesLeft;
  return false;
}

}  // namespace

void failGlobalAllocAfter(int successes) { g_allocSuccessesLeft = successes < 0 ? 0 : successes; }
void failFileReadsAfter(int successes) { g_readSuccessesLeft = successes < 0 ? 0 : successes; }

void clearKernelFaults() {
  g_allocSuccessesLeft = -1;
  g_readSuccessesLeft = -1;
}

bool takeGlobalAllocFault() { return take(g_allocSuccessesLeft); }
bool takeFileReadFault() { return take(g_readSuccessesLeft); }

}  // namespace zorva::platform
