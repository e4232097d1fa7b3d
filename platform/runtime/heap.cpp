#include "platform/runtime/heap.h"

#include <malloc.h>

#include <QCoreApplication>
#include <QTimer>

namespace platform {

namespace {

// Blocks at least this big are mapped on their own and unmapped when freed; without a fixed
// value the threshold grows with the biggest block freed so far (up to 32 MiB) and such blocks
// then stay in the heap.
constexpr int kMmapThreshold = 256 * 1024;
constexpr int kTrimThreshold = 1024 * 1024;
// Free memory the heap may keep between checks, and how often it is checked.
constexpr size_t kKeptFreeBytes = 4 * 1024 * 1024;
constexpr int kCheckMs = 5000;

}  // namespace

void KeepHeapSmall() {
  ::mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
  ::mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setTimerType(Qt::VeryCoarseTimer);  // wakes with the process's other timers
  QObject::connect(timer, &QTimer::timeout, [] {
    if (::mallinfo2().fordblks > kKeptFreeBytes) ::malloc_trim(0);
  });
  timer->start(kCheckMs);
}

}  // namespace platform
