// Global memory blocks. Every handle the program holds is checked against the table of live
// blocks, so a stale or foreign handle fails instead of touching freed memory.
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "KernelFaults.h"
#include "WinBase.h"

namespace {

struct Block {
  void* data = nullptr;
  SIZE_T size_bytes = 0;
  bool moveable = false;
  int locks = 0;
};

// Moveable blocks are named by a token distinct from their address; fixed ones by the address.
std::unordered_map<HGLOBAL, Block>& blocks() {
  static std::unordered_map<HGLOBAL, Block> table;
  return table;
}

uintptr_t g_nextToken = 0x10;
constexpr SIZE_T kMaxBlockBytes = 0x7FFFFFFF;

Block* find(HGLOBAL h) {
  auto it = blocks().find(h);
  return it == blocks().end() ? nullptr : &it->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
  if ((uFlags & ~UINT(GMEM_MOVEABLE | GMEM_ZEROINIT)) != 0) return nullptr;  // unsupported flags
  // A 32-bit process never gets a block of 2 GiB or more; a damaged length read from a data file
  // must fail here rather than take the machine's memory.
  if (dwBytes > kMaxBlockBytes) return nullptr;
  if (zorva::platform::takeGlobalAllocFault()) return nullptr;
  // A zero-sized request still gets a real block so that its handle is unique.
  void* data = (uFlags & GMEM_ZEROINIT) ? std::calloc(dwBytes ? dwBytes : 1, 1)
                                        : std::malloc(dwBytes ? dwBytes : 1);
  if (data == nullptr) return nullptr;
  bool moveable = (uFlags & GMEM_MOVEABLE) != 0;
  HGLOBAL h = data;
  if (moveable) {
    // Odd tokens stay clear of malloc's aligned addresses.
    do {
      h = reinterpret_cast<HGLOBAL>(g_nextToken | 1);
      g_nextToken += 2;
    } while (find(h) != nullptr);
  }
  blocks()[h] = Block{data, dwBytes, moveable, 0};
  return h;
}

LPVOID GlobalLock(HGLOBAL hMem) {
  Block* b = find(hMem);
  if (b == nullptr) return nullptr;
  if (b->moveable) ++b->locks;
  return b->data;
}

BOOL GlobalUnlock(HGLOBAL hMem) {
  Block* b = find(hMem);
  if (b == nullptr || !b->moveable || b->locks == 0) return FALSE;
  --b->locks;
  return b->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
  if (hMem == nullptr) return nullptr;
  auto it = blocks().find(hMem);
  if (it == blocks().end()) return hMem;  // failure: the handle comes back
  std::free(it->second.data);
  blocks().erase(it);
  return nullptr;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
  Block* b = find(hMem);
  return b == nullptr ? 0 : b->size_bytes;
}

namespace zorva::platform {
int liveGlobalBlocks() { return static_cast<int>(blocks().size()); }
}  // namespace zorva::platform
