// The kernel's per-processor time counters: reading a /proc/stat-format file and parsing its
// "cpuN" lines into one record per processor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
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

// A file larger than this is not a counter source (guards against /dev/zero, a file that never
// ends and the like). A real one holds about 150 bytes per processor plus one line counting
// every interrupt source: some 1.3 MiB with the kernel's 8192 processors at most, so 4 MiB is
// never reached by a real machine.
inline constexpr std::size_t kMaxStatFileBytes = 4u * 1024u * 1024u;

// Reads the whole file into buffer (its capacity is reused while the file keeps its usual size,
// given back after an unusually large read). False when the file cannot be opened or read
// without waiting (a pipe with nothing in it), or exceeds kMaxStatFileBytes.
bool ReadWholeFile(const std::string& path, std::string& buffer);

// Parses every "cpuN" line of text into cpus[N]; cpus is resized to cover the highest processor
// seen (its capacity is reused, and given back when far larger than needed) and processors without a well-formed line are left absent.
// Returns the number of processors present. The aggregate "cpu" line and all other lines are
// ignored; a malformed cpuN line (fewer than 4 fields, a non-numeric field, overflow) leaves that
// processor absent.
std::size_t ParseProcStat(std::string_view text, std::vector<CpuTimes>& cpus);

}  // namespace platform
