// The usage computed from the kernel's processor times, over readings a test queues.
#include "platform/performance_data/times_usage.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

using namespace platform;

namespace {

CpuTimes Busy(std::uint64_t busy, std::uint64_t idle) {
  CpuTimes t;
  t.present = true;
  t.user = busy;
  t.idle = idle;
  return t;
}

// Each read takes the next queued reading; none left is a failed read.
struct Scripted {
  std::deque<std::vector<CpuTimes>> readings;
  std::unique_ptr<UsageSource> usage = CreateTimesUsageSource([this](std::vector<CpuTimes>& cpus) {
    if (readings.empty()) return false;
    cpus = readings.front();
    readings.pop_front();
    return true;
  });
};

}  // namespace

TEST(TimesUsageSource, OpensOnReadableTimesAndCountsThePresentProcessors) {
  Scripted none;
  EXPECT_FALSE(none.usage->Open());
  EXPECT_EQ(none.usage->ProcessorCount(), 0);
  Scripted absent;
  absent.readings = {{CpuTimes{}}};
  EXPECT_FALSE(absent.usage->Open());

  Scripted s;
  s.readings = {{Busy(1, 1)}, {Busy(1, 1), CpuTimes{}, Busy(1, 1)}};
  EXPECT_TRUE(s.usage->Open());
  EXPECT_EQ(s.usage->ProcessorCount(), 2);
  EXPECT_FALSE(s.usage->Watch(0));
  EXPECT_TRUE(s.usage->Watch(5));  // absent ones too: they may come online
}

TEST(TimesUsageSource, UsageOverTheLastIntervalAfterTwoSamples) {
  Scripted s;
  s.readings = {{Busy(0, 0), Busy(0, 0)},         // the open's probe
                {Busy(100, 100), Busy(50, 50)},   // first sample
                {Busy(175, 125), Busy(50, 150)},  // 75 % and 0 %
                {Busy(175, 125)}};                // processor 1 gone, processor 0 idle-free
  ASSERT_TRUE(s.usage->Open());
  ASSERT_TRUE(s.usage->Watch(2));
  EXPECT_EQ(s.usage->Usage(0).status, UsageStatus::NotYetValid);
  s.usage->Sample();
  EXPECT_EQ(s.usage->Usage(0).status, UsageStatus::NotYetValid);
  s.usage->Sample();
  EXPECT_DOUBLE_EQ(s.usage->Usage(0).percent, 75.0);
  EXPECT_EQ(s.usage->Usage(0).status, UsageStatus::Valid);
  EXPECT_DOUBLE_EQ(s.usage->Usage(1).percent, 0.0);
  EXPECT_EQ(s.usage->Usage(1).status, UsageStatus::Valid);
  EXPECT_EQ(s.usage->Usage(2).status, UsageStatus::Failed);  // not watched
  s.usage->Sample();
  EXPECT_EQ(s.usage->Usage(0).status, UsageStatus::NotYetValid);  // no time passed
  EXPECT_EQ(s.usage->Usage(1).status, UsageStatus::Failed);
  s.usage->Sample();  // the read fails
  EXPECT_EQ(s.usage->Usage(0).status, UsageStatus::Failed);
}
