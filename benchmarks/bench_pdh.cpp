// One sampling step of the performance data: one collection and the two counter reads that
// every tick makes, on a source of 2 and of 64 processors.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/performance_data/pdh.h"

namespace {

// The test fixtures, found next to this source file.
std::string Fixture(const char* name) {
  std::string dir = __FILE__;
  dir.erase(dir.find_last_of('/') + 1);
  return dir + "../tests/data/" + name;
}

void CollectAndReadTwo(benchmark::State& state, const std::string& source) {
  platform::PerformanceData pdh(source);
  platform::PDH_HQUERY q = 0;
  platform::PDH_HCOUNTER c0 = 0, c1 = 0;
  if (pdh.PdhOpenQuery(nullptr, 1, &q) != platform::ERROR_SUCCESS) {
    state.SkipWithError("source cannot be read");
    return;
  }
  pdh.PdhVbAddCounter(q, "\\Processor(0)\\% Processor Time", &c0);
  pdh.PdhVbAddCounter(q, "\\Processor(1)\\% Processor Time", &c1);
  pdh.PdhCollectQueryData(q);
  platform::PDH_STATUS s0 = 0, s1 = 0;
  for (auto _ : state) {
    pdh.PdhCollectQueryData(q);
    benchmark::DoNotOptimize(pdh.PdhVbGetDoubleCounterValue(c0, &s0));
    benchmark::DoNotOptimize(pdh.PdhVbGetDoubleCounterValue(c1, &s1));
  }
}

}  // namespace

BENCHMARK_CAPTURE(CollectAndReadTwo, cpus2, Fixture("stat_2cpu.txt"));
BENCHMARK_CAPTURE(CollectAndReadTwo, cpus64, Fixture("stat_64cpu.txt"));
BENCHMARK_CAPTURE(CollectAndReadTwo, live, std::string(platform::PerformanceData::kDefaultSource));
