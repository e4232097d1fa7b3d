#include <utility>

#include "platform/performance_data/counter_file_unix.h"
#include "platform/performance_data/proc_stat_unix.h"
#include "platform/performance_data/times_usage.h"

namespace platform {

namespace {

// The counter file, kept open between reads, and its text, whose buffer is reused from read to
// read.
struct CounterText {
  explicit CounterText(std::string path) : file(std::move(path)) {}
  CounterFile file;
  std::string text;
};

}  // namespace

std::unique_ptr<UsageSource> CreateStatFileUsageSource(std::string path) {
  auto source = std::make_shared<CounterText>(std::move(path));
  return CreateTimesUsageSource([source](std::vector<CpuTimes>& cpus) {
    if (!source->file.Read(source->text)) return false;
    ParseProcStat(source->text, cpus);
    return true;
  });
}

std::unique_ptr<UsageSource> CreateSystemUsageSource() { return CreateStatFileUsageSource("/proc/stat"); }

}  // namespace platform
