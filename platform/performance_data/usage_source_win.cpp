#include "platform/performance_data/times_usage.h"
#include "platform/performance_data/usage_source_win.h"

namespace platform {

// Chosen once: the service where it has the processor counters, the kernel's times otherwise.
std::unique_ptr<UsageSource> CreateSystemUsageSource() {
  return ServiceHasProcessorCounters() ? CreateServiceUsageSource() : CreateTimesUsageSource(ReadKernelTimes);
}

}  // namespace platform
