// The kernel's per-processor time counters: parsing the "cpuN" lines of a /proc/stat-format
// text into one record per processor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

// Times of one processor in clock ticks, in the kernel's field order. Fields an older kernel
// does not write are 0. Guest times are already part of user and nice, so they are not kept.
struct CpuTimes {
  bool present = false;  // a well-formed line for this processor was read
  std::uint64_t user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0,
                steal = 0;
};

// Processor numbers at or above this are ignored (the kernel supports at most 8192).
inline constexpr std::size_t kMaxProcessors = 8192;

// Parses every "cpuN" line of text into cpus[N]; cpus is resized to cover the highest processor
// seen (its capacity is reused, and given back when far larger than needed) and processors without a well-formed line are left absent.
// Returns the number of processors present. The aggregate "cpu" line and all other lines are
// ignored; a malformed cpuN line (fewer than 4 fields, a non-numeric field, overflow) leaves that
// processor absent.
std::size_t ParseProcStat(std::string_view text, std::vector<CpuTimes>& cpus);

}  // namespace platform
