// Memory for blocks of pixels as large as a window. Such a block is written whole when it is
// first drawn on; mapped with its pages filled in by one call, it costs about half of what a
// page fault for every 4 KB page as it is first touched costs, which at start-up is as long as
// the drawing itself. Smaller blocks come from the heap as usual.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <new>

namespace zorva::platform {

template <typename T>
struct PixelMemory {
  using value_type = T;
  static constexpr std::size_t kMappedFromBytes = std::size_t{1} << 20;

  PixelMemory() = default;
  template <typename U>
  PixelMemory(const PixelMemory<U>&) noexcept {}

  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kMappedFromBytes) return static_cast<T*>(::operator new(bytes));
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return static_cast<T*>(p);
  }

  void deallocate(T* p, std::size_t n) noexcept {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kMappedFromBytes) ::operator delete(p);
    else munmap(p, bytes);
  }

  template <typename U>
  bool operator==(const PixelMemory<U>&) const noexcept { return true; }
};

}  // namespace zorva::platform
