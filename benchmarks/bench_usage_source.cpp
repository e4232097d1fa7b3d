// One tick's work on the usage source: one sample and the two readings, on a source of 2 and
// of 64 processors and on the live system.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/performance_data/proc_stat_unix.h"

namespace {

// The test fixtures, found next to this source file.
std::string Fixture(const char* name) {
  std::string dir = __FILE__;
  dir.erase(dir.find_last_of('/') + 1);
  return dir + "../tests/data/" + name;
}

void SampleAndReadTwo(benchmark::State& state, const std::string& path) {
  auto source = platform::CreateStatFileUsageSource(path);
  if (!source->Open() || !source->Watch(2)) {
    state.SkipWithError("source cannot be read");
    return;
  }
  source->Sample();
  for (auto _ : state) {
    source->Sample();
    benchmark::DoNotOptimize(source->Usage(0));
    benchmark::DoNotOptimize(source->Usage(1));
  }
}

}  // namespace

BENCHMARK_CAPTURE(SampleAndReadTwo, cpus2, Fixture("stat_2cpu.txt"));
BENCHMARK_CAPTURE(SampleAndReadTwo, cpus64, Fixture("stat_64cpu.txt"));
BENCHMARK_CAPTURE(SampleAndReadTwo, live, std::string("/proc/stat"));
