// The heap of a Windows process is the system's own: it lays itself out and gives memory back on
// its own terms, so there is nothing to set and nothing to trim.
#include "platform/runtime/heap.h"

namespace platform {

void LimitHeapArenas() {}

void ReturnBigBlocksWhenFreed() {}

std::size_t FreeHeapBytes() { return 0; }

void TrimHeap() {}

}  // namespace platform
