// The busy share of each processor, read once per sample: the program's one source of usage.
#pragma once

#include <memory>

namespace platform {

// Valid: a reading of the last interval. NotYetValid: no interval to read yet (the first
// sample, or counters that went back since the previous one); the next sample may give one.
// Failed: the processor has no reading (not watched, gone, or the source could not be read).
enum class UsageStatus { Valid, NotYetValid, Failed };

struct ProcessorUsage {
  double percent = 0;  // 0 to 100 when valid, else whatever the source gives (0 here)
  UsageStatus status = UsageStatus::Failed;
};

class UsageSource {
 public:
  virtual ~UsageSource() = default;
  // Opens the source; false when the system's usage data cannot be had at all.
  virtual bool Open() = 0;
  // The processors the system has now.
  virtual int ProcessorCount() = 0;
  // Sets up readings of processors 0 .. processors - 1; false when the last of them has none.
  virtual bool Watch(int processors) = 0;
  // One read of every watched processor.
  virtual void Sample() = 0;
  // Usage of one processor over the interval between the last two samples.
  virtual ProcessorUsage Usage(int processor) = 0;
};

// This system's source: /proc/stat on Linux; on Windows the performance-data service's
// processor counters where it has them, else the kernel's per-processor times.
std::unique_ptr<UsageSource> CreateSystemUsageSource();

}  // namespace platform
