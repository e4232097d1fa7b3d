#include "platform/performance_data/usage_source_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/performance_data/times_usage.h"

using namespace platform;

namespace {

// Watches processors 0 and 1 (0 alone on one processor), samples twice with a pause between,
// and checks every reading.
void ExpectReadings(UsageSource& source) {
  ASSERT_TRUE(source.Open());
  const int n = std::min(source.ProcessorCount(), 2);
  ASSERT_GE(n, 1);
  ASSERT_TRUE(source.Watch(n));
  source.Sample();
  EXPECT_NE(source.Usage(0).status, UsageStatus::Valid);  // a rate needs two samples
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  source.Sample();
  for (int i = 0; i < n; ++i) {
    const ProcessorUsage u = source.Usage(i);
    EXPECT_EQ(u.status, UsageStatus::Valid) << "processor " << i;
    EXPECT_GE(u.percent, 0.0);
    EXPECT_LE(u.percent, 100.0);
  }
  EXPECT_EQ(source.Usage(n).status, UsageStatus::Failed);  // not watched
}

}  // namespace

// The kernel's time includes its idle time: counting idle once is what gives the busy share.
TEST(KernelTimes, KernelTimeIncludesIdleTime) {
  const CpuTimes a = CpuTimesFromKernel(100, 200, 50);
  const CpuTimes b = CpuTimesFromKernel(150, 280, 70);  // 50 idle of 100 = 20 user + 80 kernel
  double percent = -1;
  ASSERT_TRUE(UsageBetween(a, b, percent));
  EXPECT_DOUBLE_EQ(percent, 50.0);
  EXPECT_TRUE(CpuTimesFromKernel(10, 5, 0).present);  // never a negative kernel share
  EXPECT_EQ(CpuTimesFromKernel(10, 5, 0).system, 0u);
}

TEST(KernelTimes, SystemReadingsGiveValidPercentages) { ExpectReadings(*CreateTimesUsageSource(ReadKernelTimes)); }

// Wine's service has none of the processor counters; a real Windows has them.
TEST(PerformanceService, GivesValidPercentagesWhereItHasTheCounters) {
  if (!ServiceHasProcessorCounters()) GTEST_SKIP() << "the performance-data service has no processor counters here";
  ExpectReadings(*CreateServiceUsageSource());
}

TEST(SystemUsageSource, ChosenSourceGivesReadings) { ExpectReadings(*CreateSystemUsageSource()); }
