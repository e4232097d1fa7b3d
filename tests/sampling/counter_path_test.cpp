#include "sampling/counter_path.h"

#include <gtest/gtest.h>

#include "sampling/counter_status.h"

using namespace sampling;

namespace {

std::string Fixture(const char* name) { return std::string(ZELMARO_TEST_DATA) + "/" + name; }

}  // namespace

TEST(GetCounterPath, PlainDecimalProcessorNumbers) {
  platform::PerformanceData pdh(Fixture("stat_2cpu.txt"));
  EXPECT_EQ(GetCounterPath(pdh, 0), "\\Processor(0)\\% Processor Time");
  EXPECT_EQ(GetCounterPath(pdh, 1), "\\Processor(1)\\% Processor Time");
  EXPECT_EQ(GetCounterPath(pdh, 12), "\\Processor(12)\\% Processor Time");
}

TEST(GetCounterPath, PathsAreAcceptedByTheQueryOfTheSameService) {
  platform::PerformanceData pdh(Fixture("stat_1cpu.txt"));
  platform::PDH_HQUERY q = 0;
  ASSERT_EQ(pdh.PdhOpenQuery(nullptr, 1, &q), platform::ERROR_SUCCESS);
  for (int i = 0; i < 2; ++i) {
    platform::PDH_HCOUNTER h = 0;
    pdh.PdhVbAddCounter(q, GetCounterPath(pdh, i).c_str(), &h);
    EXPECT_NE(h, 0u) << i;
  }
}

TEST(IsValidCounterStatus, OnlyValidAndNewData) {
  EXPECT_TRUE(IsValidCounterStatus(platform::PDH_CSTATUS_VALID_DATA));
  EXPECT_TRUE(IsValidCounterStatus(platform::PDH_CSTATUS_NEW_DATA));
  EXPECT_FALSE(IsValidCounterStatus(2));
  EXPECT_FALSE(IsValidCounterStatus(platform::PDH_CSTATUS_INVALID_DATA));
  EXPECT_FALSE(IsValidCounterStatus(platform::PDH_CSTATUS_NO_INSTANCE));
  EXPECT_FALSE(IsValidCounterStatus(platform::PDH_INVALID_HANDLE));
}
