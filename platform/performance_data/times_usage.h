// Usage from the kernel's per-processor time counters, read twice: the one computation both
// systems' time-based sources share.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/performance_data/cpu_times.h"
#include "platform/performance_data/usage_source.h"

namespace platform {

// Usage in percent, 100 x (1 - d(idle + iowait) / d(all eight fields)), clamped to 0..100.
// False when the interval is not usable: no time passed, a counter went backwards (a processor
// brought back online, a counter reset) or the total overflowed.
bool UsageBetween(const CpuTimes& earlier, const CpuTimes& later, double& percent);

// Reads every processor's time counters into cpus (absent processors not present); false when
// they cannot be read.
using ProcessorTimesReader = std::function<bool(std::vector<CpuTimes>& cpus)>;

// A source over a reader of the kernel's times: it opens when a read finds a processor, counts
// the processors present, watches any processor numbers, and reads usage over the interval
// between the last two samples (not yet valid after one sample or an unusable interval; failed
// for a processor the latest sample lacks or that is not watched).
std::unique_ptr<UsageSource> CreateTimesUsageSource(ProcessorTimesReader read);

}  // namespace platform
