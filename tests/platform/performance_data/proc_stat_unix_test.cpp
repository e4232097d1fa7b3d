#include "platform/performance_data/proc_stat_unix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::CpuTimes;
using platform::ParseProcStat;

TEST(ProcStatParse, ReadsEveryFieldOfCpuLinesAndIgnoresTheRest) {
  std::vector<CpuTimes> cpus;
  EXPECT_EQ(ParseProcStat("cpu  9 9 9 9 9 9 9 9 9 9\n"
                          "cpu0 1 2 3 4 5 6 7 8 9 10\n"
                          "cpu1 11 12 13 14 15 16 17 18 0 0\n"
                          "intr 1 2 3\nctxt 5\n",
                          cpus),
            2u);
  ASSERT_EQ(cpus.size(), 2u);
  const CpuTimes& c = cpus[0];
  EXPECT_TRUE(c.present);
  EXPECT_EQ(c.user, 1u);
  EXPECT_EQ(c.nice, 2u);
  EXPECT_EQ(c.system, 3u);
  EXPECT_EQ(c.idle, 4u);
  EXPECT_EQ(c.iowait, 5u);
  EXPECT_EQ(c.irq, 6u);
  EXPECT_EQ(c.softirq, 7u);
  EXPECT_EQ(c.steal, 8u);
  EXPECT_EQ(cpus[1].steal, 18u);
}

TEST(ProcStatParse, OlderKernelsWithFewerFieldsFillZeros) {
  std::vector<CpuTimes> cpus;
  EXPECT_EQ(ParseProcStat("cpu0 1 2 3 4\ncpu1 1 2 3 4 5 6 7\n", cpus), 2u);
  EXPECT_EQ(cpus[0].idle, 4u);
  EXPECT_EQ(cpus[0].iowait, 0u);
  EXPECT_EQ(cpus[0].steal, 0u);
  EXPECT_EQ(cpus[1].softirq, 7u);
  EXPECT_EQ(cpus[1].steal, 0u);
}

TEST(ProcStatParse, MalformedLinesLeaveOnlyThatProcessorAbsent) {
  const char* bad[] = {
      "cpu1 1 2 3\n",                          // too few fields
      "cpu1 1 2 x 4\n",                        // non-numeric
      "cpu1 1 2 -3 4\n",                       // sign
      "cpu1 1 2 3 18446744073709551616\n",     // overflows 64 bits
      "cpu1 1 2 3 4x 5\n",                     // trailing junk in a field
      "cpu1\n",                                // no fields at all
      "cpu1x 1 2 3 4\n",                       // not a processor number
      "cpu99999999999999999999999 1 2 3 4\n",  // absurd processor number
  };
  for (const char* line : bad) {
    std::vector<CpuTimes> cpus;
    EXPECT_EQ(ParseProcStat(std::string("cpu0 1 2 3 4\n") + line + "cpu2 1 2 3 4\n", cpus), 2u)
        << line;
    ASSERT_EQ(cpus.size(), 3u) << line;
    EXPECT_TRUE(cpus[0].present);
    EXPECT_FALSE(cpus[1].present) << line;
    EXPECT_TRUE(cpus[2].present);
  }
}

TEST(ProcStatParse, TruncatedAndOddlySeparatedText) {
  std::vector<CpuTimes> cpus;
  // Cut in the middle of cpu1's fourth field: still four numbers, so it counts.
  EXPECT_EQ(ParseProcStat("cpu0 1 2 3 4 5\ncpu1 1 2 3 4", cpus), 2u);
  EXPECT_EQ(ParseProcStat("cpu0 1 2 3 4 5\ncpu1 1 2", cpus), 1u);
  EXPECT_EQ(cpus.size(), 1u);
  EXPECT_EQ(ParseProcStat("cpu0\t1  2 3 4\r\n", cpus), 1u);
  EXPECT_EQ(ParseProcStat("", cpus), 0u);
  EXPECT_TRUE(cpus.empty());
  EXPECT_EQ(ParseProcStat(std::string("cpu0 1 2\0 3 4\n", 14), cpus), 0u);
}

TEST(ProcStatParse, AProcessorNumberBeyondAnyMachineIsIgnoredRatherThanAllocated) {
  std::vector<CpuTimes> cpus;
  EXPECT_EQ(ParseProcStat("cpu4000000000 1 2 3 4\n", cpus), 0u);
  EXPECT_TRUE(cpus.empty());
}
