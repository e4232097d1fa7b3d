// A source of per-processor "% Processor Time" counters in the performance-data helper's shape:
// the same operations, handles and statuses as PerformanceData, which hands its calls to one
// such source.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/performance_data/cpu_times.h"
#include "platform/performance_data/pdh.h"

namespace platform {

class ProcessorCounters {
 public:
  virtual ~ProcessorCounters() = default;
  virtual PDH_STATUS OpenQuery(const char* dataSource, std::uintptr_t userData, PDH_HQUERY* query) = 0;
  virtual PDH_STATUS LookupName(const char* machine, std::uint32_t index, char* buffer,
                                               std::uint32_t* size) = 0;
  virtual PDH_STATUS AddCounter(PDH_HQUERY query, const char* path, PDH_HCOUNTER* counter) = 0;
  virtual PDH_STATUS Collect(PDH_HQUERY query) = 0;
  virtual double Value(PDH_HCOUNTER counter, PDH_STATUS* status) = 0;
  virtual PDH_STATUS CloseQuery(PDH_HQUERY query) = 0;
  virtual std::uint32_t NumberOfProcessors() = 0;
};

// Reads every processor's time counters into cpus (absent processors not present); false when
// they cannot be read.
using ProcessorTimesReader = std::function<bool(std::vector<CpuTimes>& cpus)>;

// Counters computed from the kernel's per-processor times: the English names of the two name
// indices, paths "\Processor(N)\% Processor Time", usage over the interval between the last
// two collections (UsageBetween); the first read after one collection is invalid data, a
// processor the latest reading lacks has no instance.
std::unique_ptr<ProcessorCounters> CreateTimesCounters(ProcessorTimesReader read);

// This system's counters. On Linux computed from the kernel's per-processor times in the file at
// sourcePath (/proc/stat, or another file of that format); on Windows the performance-data
// service's where it has the processor counters, otherwise computed from the kernel's
// per-processor times (sourcePath is not used there).
std::unique_ptr<ProcessorCounters> CreateSystemCounters(std::string sourcePath);

}  // namespace platform
