#include "platform/runtime/stack.h"

#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

namespace {

// Lowest address of the calling thread's stack, as the thread library reports it; 0 if it
// cannot tell. For the main thread that is the lowest address the stack may grow to, which
// may lie below the pages it has used so far.
std::uintptr_t StackBottom() {
  pthread_attr_t attr;
  if (::pthread_getattr_np(::pthread_self(), &attr) != 0) return 0;
  void* address = nullptr;
  std::size_t size = 0;
  const bool known = ::pthread_attr_getstack(&attr, &address, &size) == 0;
  ::pthread_attr_destroy(&attr);
  return known ? reinterpret_cast<std::uintptr_t>(address) : 0;
}

}  // namespace

// The pages below the current frame hold no live data; a margin is kept below the stack
// pointer for the calls made from here on (this function's own callees included). Part of the
// range may not be mapped (the main thread's stack has not grown that far): the kernel then
// lets go of the mapped part and reports the rest, which changes nothing here.
void ReleaseUnusedStack() {
  constexpr std::uintptr_t kMargin = 16 * 1024;
  const std::uintptr_t page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  thread_local const std::uintptr_t bottom = StackBottom();  // fixed for the thread's life
  volatile char here = 0;
  const std::uintptr_t sp = reinterpret_cast<std::uintptr_t>(&here);
  if (bottom == 0 || sp < bottom || sp - bottom <= kMargin + page) return;
  const std::uintptr_t start = (bottom + page - 1) & ~(page - 1);
  const std::uintptr_t end = (sp - kMargin) & ~(page - 1);
  if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
}

}  // namespace platform
