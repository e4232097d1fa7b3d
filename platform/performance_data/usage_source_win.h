// Where processor usage comes from on Windows: the system's performance-data service (pdh.dll)
// where it has the processor counters, otherwise the kernel's per-processor times (Wine's
// service has none of the processor counters).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/performance_data/cpu_times.h"
#include "platform/performance_data/usage_source.h"

namespace platform {

// Whether the service's names for the processor object and its processor-time counter give a
// counter it can add for processor 0.
bool ServiceHasProcessorCounters();
// The service's own counters, one per watched processor.
std::unique_ptr<UsageSource> CreateServiceUsageSource();

// One processor's times as the kernel keeps them (100 ns units; the kernel time includes the
// idle time) in the fields UsageBetween reads: user, system (kernel less idle) and idle.
CpuTimes CpuTimesFromKernel(std::uint64_t idle, std::uint64_t kernel, std::uint64_t user);
// The times of every processor in the process's processor group.
bool ReadKernelTimes(std::vector<CpuTimes>& cpus);

}  // namespace platform
