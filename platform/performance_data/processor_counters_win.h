// Where the processor counters come from on Windows: the system's performance-data service
// (pdh.dll) where it has them, otherwise the kernel's per-processor times (Wine's service has
// none of the processor counters).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/performance_data/processor_counters.h"

namespace platform {

// Whether the service's names for indices 238 and 6 give a path it can add for processor 0.
bool ServiceHasProcessorCounters();
// The service's own counters: every call goes to pdh.dll, statuses as it returns them.
std::unique_ptr<ProcessorCounters> CreateServiceCounters();

// One processor's times as the kernel keeps them (100 ns units; the kernel time includes the
// idle time) in the fields UsageBetween reads: user, system (kernel less idle) and idle.
CpuTimes CpuTimesFromKernel(std::uint64_t idle, std::uint64_t kernel, std::uint64_t user);
// The times of every processor in the process's processor group.
bool ReadKernelTimes(std::vector<CpuTimes>& cpus);

}  // namespace platform
