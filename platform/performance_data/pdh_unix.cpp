#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/performance_data/counter_file_unix.h"
#include "platform/performance_data/proc_stat_unix.h"
#include "platform/performance_data/processor_counters.h"

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

// The counters computed from the processors' lines of the file at sourcePath: a file that
// cannot be read is a failed read; one that can is a reading of the processors it lists.
std::unique_ptr<ProcessorCounters> CreateSystemCounters(std::string sourcePath) {
  auto source = std::make_shared<CounterText>(std::move(sourcePath));
  return CreateTimesCounters([source](std::vector<CpuTimes>& cpus) {
    if (!source->file.Read(source->text)) return false;
    ParseProcStat(source->text, cpus);
    return true;
  });
}

}  // namespace platform
