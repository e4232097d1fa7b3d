#include "platform/runtime/stack.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

// Start of the mapping that holds `address`, from /proc/self/maps; 0 if not found.
std::uintptr_t MappingStart(std::uintptr_t address) {
  std::FILE* maps = std::fopen("/proc/self/maps", "re");
  if (maps == nullptr) return 0;
  std::uintptr_t found = 0;
  unsigned long start = 0, end = 0;
  char line[512];
  bool lineStart = true;  // a long line comes in pieces: only its first piece is parsed
  while (std::fgets(line, sizeof line, maps) != nullptr) {
    const bool parse = lineStart;
    lineStart = std::strchr(line, '\n') != nullptr;
    if (parse && std::sscanf(line, "%lx-%lx", &start, &end) == 2 && start <= address && address < end) {
      found = start;
      break;
    }
  }
  std::fclose(maps);
  return found;
}

}  // namespace

// The pages below the current frame hold no live data; a margin is kept below the stack
// pointer for the calls made from here on (this function's own callees included).
void ReleaseUnusedStack() {
  constexpr std::uintptr_t kMargin = 16 * 1024;
  const std::uintptr_t page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  volatile char here = 0;
  const std::uintptr_t sp = reinterpret_cast<std::uintptr_t>(&here);
  const std::uintptr_t bottom = MappingStart(sp);
  if (bottom == 0 || sp - bottom <= kMargin + page) return;
  const std::uintptr_t end = (sp - kMargin) & ~(page - 1);
  ::madvise(reinterpret_cast<void*>(bottom), end - bottom, MADV_DONTNEED);
}

}  // namespace platform
