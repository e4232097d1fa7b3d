// The busy share of a processor between two samples of its time counters.
#pragma once

#include "platform/performance_data/cpu_times.h"

namespace platform {

// Usage in percent, 100 x (1 - d(idle + iowait) / d(all eight fields)), clamped to 0..100.
// False when the interval is not usable: no time passed, a counter went backwards (a processor
// brought back online, a counter reset) or the total overflowed.
bool UsageBetween(const CpuTimes& earlier, const CpuTimes& later, double& percent);

}  // namespace platform
