#include "platform/performance_data/pdh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/performance_data/pdh_usage.h"
#include "platform/performance_data/processor_counters_win.h"

using namespace platform;

namespace {

// Opens a query with one counter per processor (at most two) on the paths built from the
// source's own names, collects twice with a pause between, and checks every reading.
void ExpectReadings(ProcessorCounters& counters) {
  PDH_HQUERY q = 0;
  ASSERT_EQ(counters.OpenQuery(nullptr, 1, &q), ERROR_SUCCESS);
  auto name = [&counters](std::uint32_t index) {
    char buffer[260];
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(counters.LookupName(nullptr, index, buffer, &size), ERROR_SUCCESS);
    return std::string(buffer, size > 0 ? size - 1 : 0);
  };
  const std::string object = name(238), counter = name(6);
  const std::uint32_t n = std::min<std::uint32_t>(counters.NumberOfProcessors(), 2);
  ASSERT_GE(n, 1u);
  PDH_HCOUNTER c[2] = {};
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::string path = "\\" + object + "(" + std::to_string(i) + ")\\" + counter;
    ASSERT_EQ(counters.AddCounter(q, path.c_str(), &c[i]), ERROR_SUCCESS) << path;
  }
  ASSERT_EQ(counters.Collect(q), ERROR_SUCCESS);
  PDH_STATUS st = 0;
  counters.Value(c[0], &st);
  EXPECT_NE(st, PDH_CSTATUS_VALID_DATA);  // a rate needs two collections
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  ASSERT_EQ(counters.Collect(q), ERROR_SUCCESS);
  for (std::uint32_t i = 0; i < n; ++i) {
    const double v = counters.Value(c[i], &st);
    EXPECT_EQ(st, PDH_CSTATUS_VALID_DATA) << "processor " << i;
    EXPECT_GE(v, 0.0);
    EXPECT_LE(v, 100.0);
  }
  EXPECT_EQ(counters.CloseQuery(q), ERROR_SUCCESS);
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

TEST(KernelTimes, SystemReadingsGiveValidPercentages) {
  ExpectReadings(*CreateTimesCounters(ReadKernelTimes));
}

// Wine's service has none of the processor counters; a real Windows has them.
TEST(PerformanceService, GivesValidPercentagesWhereItHasTheCounters) {
  if (!ServiceHasProcessorCounters()) GTEST_SKIP() << "the performance-data service has no processor counters here";
  ExpectReadings(*CreateServiceCounters());
}

// Whichever source was chosen, the program's calls give readings.
TEST(PerformanceData, ChosenSourceGivesReadings) {
  PerformanceData pdh;
  SYSTEM_INFO info;
  pdh.GetSystemInfo(&info);
  EXPECT_GE(info.dwNumberOfProcessors, 1u);
  PDH_HQUERY q = 0;
  ASSERT_EQ(pdh.PdhOpenQuery(nullptr, 1, &q), ERROR_SUCCESS);
  PDH_HCOUNTER c = 0;
  char object[260], counter[260];
  std::uint32_t size1 = sizeof object, size2 = sizeof counter;
  pdh.PdhLookupPerfNameByIndexA(nullptr, 238, object, &size1);
  pdh.PdhLookupPerfNameByIndexA(nullptr, 6, counter, &size2);
  const std::string path = std::string("\\") + object + "(0)\\" + counter;
  ASSERT_EQ(pdh.PdhVbAddCounter(q, path.c_str(), &c), ERROR_SUCCESS);
  EXPECT_NE(c, 0u);
  pdh.PdhCollectQueryData(q);
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  pdh.PdhCollectQueryData(q);
  PDH_STATUS st = 1234;
  const double v = pdh.PdhVbGetDoubleCounterValue(c, &st);
  EXPECT_EQ(st, PDH_CSTATUS_VALID_DATA);
  EXPECT_GE(v, 0.0);
  EXPECT_LE(v, 100.0);
  EXPECT_EQ(pdh.PdhCloseQuery(q), ERROR_SUCCESS);
}
