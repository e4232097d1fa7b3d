#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "platform/performance_data/processor_counters.h"

using namespace platform;

namespace {

constexpr const char* kPath0 = "\\Processor(0)\\% Processor Time";
constexpr const char* kPath1 = "\\Processor(1)\\% Processor Time";

CpuTimes Busy(std::uint64_t busy, std::uint64_t idle) {
  CpuTimes t;
  t.present = true;
  t.user = busy;
  t.idle = idle;
  return t;
}

// Counters over readings a test queues: each read takes the next one; none left is a failed read.
struct Scripted {
  std::deque<std::vector<CpuTimes>> readings;
  std::unique_ptr<ProcessorCounters> counters = CreateTimesCounters([this](std::vector<CpuTimes>& cpus) {
    if (readings.empty()) return false;
    cpus = readings.front();
    readings.pop_front();
    return true;
  });
};

}  // namespace

TEST(TimesCounters, UsageOverTheLastIntervalAfterTwoCollections) {
  Scripted s;
  s.readings = {{Busy(0, 0), Busy(0, 0)},                                // the open's probe
                {Busy(100, 100), Busy(50, 50)},                          // first collection
                {Busy(175, 125), Busy(50, 150)},                         // 75 % and 0 %
                {Busy(175, 125)}};                                       // processor 1 gone
  PDH_HQUERY q = 0;
  PDH_HCOUNTER c0 = 0, c1 = 0;
  ASSERT_EQ(s.counters->OpenQuery(nullptr, 1, &q), ERROR_SUCCESS);
  ASSERT_EQ(s.counters->AddCounter(q, kPath0, &c0), ERROR_SUCCESS);
  ASSERT_EQ(s.counters->AddCounter(q, kPath1, &c1), ERROR_SUCCESS);
  EXPECT_NE(c0, c1);

  PDH_STATUS st = 0;
  s.counters->Value(c0, &st);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);  // nothing collected yet
  ASSERT_EQ(s.counters->Collect(q), ERROR_SUCCESS);
  s.counters->Value(c0, &st);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);  // one collection is no interval
  ASSERT_EQ(s.counters->Collect(q), ERROR_SUCCESS);
  EXPECT_DOUBLE_EQ(s.counters->Value(c0, &st), 75.0);
  EXPECT_EQ(st, PDH_CSTATUS_VALID_DATA);
  EXPECT_DOUBLE_EQ(s.counters->Value(c1, &st), 0.0);
  EXPECT_EQ(st, PDH_CSTATUS_VALID_DATA);
  ASSERT_EQ(s.counters->Collect(q), ERROR_SUCCESS);
  s.counters->Value(c0, &st);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);  // no time passed
  s.counters->Value(c1, &st);
  EXPECT_EQ(st, PDH_CSTATUS_NO_INSTANCE);
  EXPECT_EQ(s.counters->Collect(q), PDH_NO_DATA);  // the reading fails
  s.counters->Value(c0, &st);
  EXPECT_EQ(st, PDH_CSTATUS_NO_INSTANCE);

  EXPECT_EQ(s.counters->CloseQuery(q), ERROR_SUCCESS);
  s.counters->Value(c0, &st);
  EXPECT_EQ(st, PDH_INVALID_HANDLE);
}

TEST(TimesCounters, OpensOnlyOnReadableTimesAndAddsOnlyProcessorPaths) {
  Scripted none;
  PDH_HQUERY q = 7;
  EXPECT_EQ(none.counters->OpenQuery(nullptr, 1, &q), PDH_NO_DATA);
  EXPECT_EQ(q, 0u);
  EXPECT_EQ(none.counters->NumberOfProcessors(), 0u);

  Scripted s;
  s.readings = {{Busy(1, 1), CpuTimes{}, Busy(1, 1)}, {Busy(1, 1)}};
  EXPECT_EQ(s.counters->NumberOfProcessors(), 2u);  // present ones only
  ASSERT_EQ(s.counters->OpenQuery(nullptr, 1, &q), ERROR_SUCCESS);
  PDH_HCOUNTER c = 9;
  for (const char* bad : {"\\Processor(01)\\% Processor Time", "\\Processor()\\% Processor Time",
                          "\\Processor(0)\\% Idle Time", "Processor(0)\\% Processor Time", ""}) {
    EXPECT_EQ(s.counters->AddCounter(q, bad, &c), PDH_CSTATUS_BAD_COUNTERNAME) << bad;
    EXPECT_EQ(c, 0u);
  }
  EXPECT_EQ(s.counters->AddCounter(q + 1, kPath0, &c), PDH_INVALID_HANDLE);
}

TEST(TimesCounters, NamesTheTwoIndicesInEnglishWithTheirSizes) {
  Scripted s;
  char buffer[260];
  std::uint32_t size = sizeof buffer;
  ASSERT_EQ(s.counters->LookupName(nullptr, 238, buffer, &size), ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "Processor");
  EXPECT_EQ(size, 10u);
  size = 5;
  EXPECT_EQ(s.counters->LookupName(nullptr, 6, buffer, &size), PDH_MORE_DATA);
  EXPECT_EQ(size, 17u);
  EXPECT_EQ(s.counters->LookupName(nullptr, 6, buffer, &size), ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "% Processor Time");
  EXPECT_EQ(s.counters->LookupName(nullptr, 7, buffer, &size), PDH_INVALID_ARGUMENT);
}
