// The kernel's per-processor time counters in /proc/stat's format: parsing the "cpuN" lines
// into one record per processor, and the usage source over such a file.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/performance_data/cpu_times.h"
#include "platform/performance_data/usage_source.h"

namespace platform {

// Parses every "cpuN" line of text into cpus[N]; cpus is resized to cover the highest processor
// seen (its capacity is reused, and given back when far larger than needed) and processors without a well-formed line are left absent.
// Returns the number of processors present. The aggregate "cpu" line and all other lines are
// ignored; a malformed cpuN line (fewer than 4 fields, a non-numeric field, overflow) leaves that
// processor absent.
std::size_t ParseProcStat(std::string_view text, std::vector<CpuTimes>& cpus);

// The usage of the processors listed in the file at path (/proc/stat, or a stand-in of that
// format), kept open between samples: a file that cannot be read is a failed sample, one that
// can is a sample of the processors it lists.
std::unique_ptr<UsageSource> CreateStatFileUsageSource(std::string path);

}  // namespace platform
