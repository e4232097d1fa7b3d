#include "platform/runtime/heap.h"

#include <malloc.h>

#include <QAbstractEventDispatcher>
#include <QObject>
#include <atomic>
#include <chrono>

#include "platform/runtime/stack.h"
#include "platform/window_system/font_caches.h"

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

// Whether a window may have drawn text since the drawing caches were last let go. The program
// starts by showing its window.
std::atomic<bool> windowShown{true};

}  // namespace

void NoteWindowShown() { windowShown.store(true, std::memory_order_relaxed); }

void LimitHeapArenas() {
  // The program's few helper threads allocate little: one heap for all of them keeps the
  // per-thread heaps' partly used pages from adding up.
  ::mallopt(M_ARENA_MAX, 1);
}

// The check runs as the event loop goes back to sleep, at most once per period: it rides on
// wake-ups the program has anyway (its timer, a request) and never wakes the process itself.
// Once no window is shown any more, what only drawing needed goes: loaded fonts, the deep
// stack pages of layout and painting, and the heap pages they leave free.
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
                     if (AnyWindowShown()) {
                       windowShown.store(true, std::memory_order_relaxed);
                     } else if (windowShown.exchange(false, std::memory_order_relaxed)) {
                       ReleaseFontCaches();
                       ReleaseUnusedStack();
                       ::malloc_trim(0);
                       return;
                     }
                     if (::mallinfo2().fordblks > kKeptFreeBytes) ::malloc_trim(0);
                   });
}

}  // namespace platform
