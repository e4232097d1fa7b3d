#include "app/memory_release.h"

#include <chrono>
#include <cstddef>

#include "platform/runtime/heap.h"
#include "platform/runtime/stack.h"
#include "platform/window_system/loop_idle.h"
#include "platform/window_system/shown_windows.h"

namespace {

// How often at most the check runs, and the free memory the heap may keep between checks.
constexpr std::chrono::seconds kCheckEvery{5};
constexpr std::size_t kKeptFreeBytes = 4 * 1024 * 1024;

}  // namespace

// The check rides on the event loop's wake-ups. A window shown since the last check (it may
// have closed again meanwhile) means its drawing's memory is let go at the first check that
// finds no window shown. The program starts by showing its window.
void KeepMemorySmall() {
  platform::ReturnBigBlocksWhenFreed();
  platform::CallAsLoopGoesToSleep(kCheckEvery, [drewSinceRelease = true]() mutable {
    const bool noted = platform::TakeWindowShownNote();
    if (platform::AnyWindowShown()) {
      drewSinceRelease = true;
    } else if (drewSinceRelease || noted) {
      drewSinceRelease = false;
      platform::ReleaseUnusedStack();
      platform::TrimHeap();
      return;
    }
    if (platform::FreeHeapBytes() > kKeptFreeBytes) platform::TrimHeap();
  });
}
