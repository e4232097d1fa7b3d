// The kernel's per-processor time counters: parsing the "cpuN" lines of a /proc/stat-format
// text into one record per processor.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/performance_data/cpu_times.h"

namespace platform {

// Parses every "cpuN" line of text into cpus[N]; cpus is resized to cover the highest processor
// seen (its capacity is reused, and given back when far larger than needed) and processors without a well-formed line are left absent.
// Returns the number of processors present. The aggregate "cpu" line and all other lines are
// ignored; a malformed cpuN line (fewer than 4 fields, a non-numeric field, overflow) leaves that
// processor absent.
std::size_t ParseProcStat(std::string_view text, std::vector<CpuTimes>& cpus);

}  // namespace platform
