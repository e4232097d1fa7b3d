// The process's heap: how it is laid out and when it gives memory back to the system. When to
// ask for that is the program's choice.
#pragma once

#include <cstddef>

namespace platform {

// The program's few helper threads allocate little: one heap for all of them keeps the
// per-thread heaps' partly used pages from adding up. Call first in main(), before any thread
// starts.
void LimitHeapArenas();

// Big blocks (a large message from another program on the bus, an oversized file read) are
// mapped on their own and go back to the system when freed, and a large free end of the heap is
// given back at once. Call once, early in main().
void ReturnBigBlocksWhenFreed();

// Bytes the heap holds free, scattered between the blocks in use.
std::size_t FreeHeapBytes();

// Gives every whole free page of the heap back to the system.
void TrimHeap();

}  // namespace platform
