#include "platform/performance_data/processor_counters_win.h"

namespace platform {

// The system's performance-data service where it has the processor counters, the kernel's
// per-processor times otherwise (Wine). The source path is Linux's.
std::unique_ptr<ProcessorCounters> CreateSystemCounters(std::string) {
  return ServiceHasProcessorCounters() ? CreateServiceCounters() : CreateTimesCounters(ReadKernelTimes);
}

}  // namespace platform
