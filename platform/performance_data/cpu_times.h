// One processor's time counters, as the kernel keeps them, and the most processors counted.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Times of one processor in the kernel's units (clock ticks on Linux), in the field order of
// Linux's /proc/stat. Fields a kernel does not keep are 0. Guest times are already part of user
// and nice, so they are not kept.
struct CpuTimes {
  bool present = false;  // this processor's times were read
  std::uint64_t user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0,
                steal = 0;
};

// Processor numbers at or above this are ignored (Linux supports at most 8192).
inline constexpr std::size_t kMaxProcessors = 8192;

}  // namespace platform
