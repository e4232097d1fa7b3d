#include "platform/runtime/heap.h"

#include <malloc.h>

namespace platform {

namespace {

// Without a fixed value the threshold grows with the biggest block freed so far (up to 32 MiB)
// and such blocks then stay in the heap.
constexpr int kMmapThreshold = 256 * 1024;
constexpr int kTrimThreshold = 1024 * 1024;

}  // namespace

void LimitHeapArenas() { ::mallopt(M_ARENA_MAX, 1); }

void ReturnBigBlocksWhenFreed() {
  ::mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
  ::mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
}

std::size_t FreeHeapBytes() { return ::mallinfo2().fordblks; }

void TrimHeap() { ::malloc_trim(0); }

}  // namespace platform
