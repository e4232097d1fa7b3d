#include "platform/runtime/heap.h"

#include <malloc.h>

#include <QAbstractEventDispatcher>
#include <QObject>
#include <chrono>

namespace platform {

namespace {

// Blocks at least this big are mapped on their own and unmapped when freed; without a fixed
// value the threshold grows with the biggest block freed so far (up to 32 MiB) and such blocks
// then stay in the heap.
constexpr int kMmapThreshold = 256 * 1024;
constexpr int kTrimThreshold = 1024 * 1024;
// Free memory the heap may keep between checks, and how often at most it is checked.
constexpr size_t kKeptFreeBytes = 4 * 1024 * 1024;
constexpr std::chrono::seconds kCheckEvery{5};

}  // namespace

// The check runs as the event loop goes back to sleep, at most once per period: it rides on
// wake-ups the program has anyway (its timer, a request) and never wakes the process itself.
void KeepHeapSmall() {
  ::mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
  ::mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
  QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
  if (loop == nullptr) return;
  QObject::connect(loop, &QAbstractEventDispatcher::aboutToBlock, loop,
                   [last = std::chrono::steady_clock::now()]() mutable {
                     const auto now = std::chrono::steady_clock::now();
                     if (now - last < kCheckEvery) return;
                     last = now;
                     if (::mallinfo2().fordblks > kKeptFreeBytes) ::malloc_trim(0);
                   });
}

}  // namespace platform
