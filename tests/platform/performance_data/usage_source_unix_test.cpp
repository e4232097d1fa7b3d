// The usage source over a file in /proc/stat's format, rewritten by the tests between samples.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/performance_data/proc_stat_unix.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

struct Source {
  TempDir dir;
  std::string path = dir.File("stat");
  std::unique_ptr<UsageSource> usage = CreateStatFileUsageSource(path);

  void Open(const std::string& text, int processors = 2) {
    dir.Write("stat", text);
    ASSERT_TRUE(usage->Open());
    ASSERT_TRUE(usage->Watch(processors));
  }
  void Sample(const std::string& text) {
    dir.Write("stat", text);
    usage->Sample();
  }
  UsageStatus Status(int processor) { return usage->Usage(processor).status; }
};

}  // namespace

TEST(StatFileUsageSource, OpensOnAReadableFileWithProcessorLinesAndCountsThem) {
  struct Case {
    const char* file;
    int count;
  } cases[] = {{"stat_1cpu.txt", 1}, {"stat_2cpu.txt", 2}, {"stat_8cpu.txt", 8}, {"stat_64cpu.txt", 64}};
  for (const Case& c : cases) {
    auto source = CreateStatFileUsageSource(TestData(c.file));
    EXPECT_TRUE(source->Open()) << c.file;
    EXPECT_EQ(source->ProcessorCount(), c.count) << c.file;
  }
  TempDir dir;
  for (std::string path : {dir.File("missing"), dir.Write("empty", ""),
                           dir.Write("noproc", "cpu  1 2 3 4\nintr 5\n"), dir.path()}) {
    auto source = CreateStatFileUsageSource(path);
    EXPECT_FALSE(source->Open()) << path;
    EXPECT_EQ(source->ProcessorCount(), 0) << path;
  }
}

TEST(StatFileUsageSource, UsageOfTheLastIntervalCountsIowaitAsIdle) {
  Source s;
  const std::string first = "cpu  0 0 0 0\ncpu0 100 10 20 1000 5 1 1 1\ncpu1 0 0 0 0 0 0 0 0\n";
  ASSERT_NO_FATAL_FAILURE(s.Open(first));
  EXPECT_EQ(s.Status(0), UsageStatus::NotYetValid);  // nothing sampled yet
  s.Sample(first);
  EXPECT_EQ(s.Status(0), UsageStatus::NotYetValid);  // one sample is no interval
  // cpu0: user+100 system+50 idle+300 iowait+50 -> 150 busy of 500: 30 %.
  // cpu1: every field +10 -> idle+iowait 20 of 80: 75 %.
  s.Sample("cpu0 200 10 70 1300 55 1 1 1\ncpu1 10 10 10 10 10 10 10 10\n");
  EXPECT_DOUBLE_EQ(s.usage->Usage(0).percent, 30.0);
  EXPECT_EQ(s.Status(0), UsageStatus::Valid);
  EXPECT_DOUBLE_EQ(s.usage->Usage(1).percent, 75.0);
  EXPECT_EQ(s.Status(2), UsageStatus::Failed);  // not watched
}

TEST(StatFileUsageSource, OneProcessorWatchedLeavesTheSecondWithoutReadings) {
  Source s;
  ASSERT_NO_FATAL_FAILURE(s.Open("cpu0 1 1 1 1\n", 1));
  s.Sample("cpu0 1 1 1 1\n");
  s.Sample("cpu0 2 2 2 2\ncpu1 2 2 2 2\n");
  EXPECT_EQ(s.Status(0), UsageStatus::Valid);
  EXPECT_EQ(s.usage->Usage(1).status, UsageStatus::Failed);
  EXPECT_EQ(s.usage->Usage(1).percent, 0.0);
  EXPECT_FALSE(CreateStatFileUsageSource(TestData("stat_1cpu.txt"))->Watch(0));
}

TEST(StatFileUsageSource, UnusableIntervalsAreNotYetValid) {
  Source s;
  const std::string base = "cpu0 100 100 100 100 100 100 100 100\ncpu1 5 5 5 5\n";
  ASSERT_NO_FATAL_FAILURE(s.Open(base));
  s.Sample(base);
  s.Sample(base);  // no time passed
  EXPECT_EQ(s.Status(0), UsageStatus::NotYetValid);
  // One field backwards (a counter reset) while the total grows.
  s.Sample("cpu0 100 100 100 100 100 100 100 99\ncpu1 6 5 5 5\n");
  EXPECT_EQ(s.Status(0), UsageStatus::NotYetValid);
  EXPECT_EQ(s.usage->Usage(0).percent, 0.0);
  EXPECT_EQ(s.Status(1), UsageStatus::Valid);
  // Fields so large their deltas overflow when summed.
  s.Sample("cpu0 0 0 0 0 0 0 0 0\ncpu1 6 5 5 5\n");
  s.Sample("cpu0 18446744073709551615 18446744073709551615 0 0\ncpu1 6 5 5 5\n");
  EXPECT_EQ(s.Status(0), UsageStatus::NotYetValid);
  // Deltas near the 64-bit limit, where double rounding could stray outside 0..100.
  s.Sample("cpu0 0 0 0 7\ncpu1 3 0 0 0\n");
  s.Sample("cpu0 1 0 0 18446744073709551000\ncpu1 18446744073709551000 0 0 1\n");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(s.Status(i), UsageStatus::Valid);
    EXPECT_GE(s.usage->Usage(i).percent, 0.0);
    EXPECT_LE(s.usage->Usage(i).percent, 100.0);
  }
}

TEST(StatFileUsageSource, ProcessorsGoneMalformedOrAFileRemovedFailUntilTwoGoodSamples) {
  Source s;
  const std::string good = "cpu0 1 1 1 1\ncpu1 1 1 1 1\n";
  ASSERT_NO_FATAL_FAILURE(s.Open(good));
  s.Sample(good);
  s.Sample("cpu0 2 2 2 2\n");  // cpu1 went offline
  EXPECT_EQ(s.Status(1), UsageStatus::Failed);
  EXPECT_DOUBLE_EQ(s.usage->Usage(0).percent, 75.0);
  s.Sample("cpu0 3 3 3 3\ncpu1 0 0 0 9\n");  // back
  EXPECT_EQ(s.Status(1), UsageStatus::NotYetValid);
  s.Sample("cpu0 4 4 4 4\ncpu1 1 0 0 10\n");
  EXPECT_DOUBLE_EQ(s.usage->Usage(1).percent, 50.0);
  s.Sample("cpu0 5 5 5 5\ncpu1 2 2 zz 2\n");  // malformed line
  EXPECT_EQ(s.Status(1), UsageStatus::Failed);
  EXPECT_EQ(s.Status(0), UsageStatus::Valid);
  s.Sample("cpu0 6 6 6 6\ncpu1 3 3");  // truncated mid-line
  EXPECT_EQ(s.Status(1), UsageStatus::Failed);
  std::remove(s.path.c_str());
  s.usage->Sample();
  EXPECT_EQ(s.Status(0), UsageStatus::Failed);
  s.Sample(good);  // back, but the previous sample had nothing
  EXPECT_EQ(s.Status(0), UsageStatus::NotYetValid);
}

TEST(StatFileUsageSource, ManyProcessorsReadSafely) {
  Source s;
  auto text = [](int busy) {
    std::string t = "cpu  1 1 1 1\n";
    for (int i = 0; i < 4096; ++i)
      t += "cpu" + std::to_string(i) + " " + std::to_string(busy) + " 0 0 " + std::to_string(1000 + busy) + "\n";
    t += "intr " + std::string(3'000'000, '1') + "\n";  // far beyond a real machine's, within the cap
    return t;
  };
  ASSERT_NO_FATAL_FAILURE(s.Open(text(0)));
  EXPECT_EQ(s.usage->ProcessorCount(), 4096);
  s.Sample(text(0));
  s.Sample(text(1000));
  EXPECT_DOUBLE_EQ(s.usage->Usage(1).percent, 50.0);
  EXPECT_EQ(s.Status(1), UsageStatus::Valid);
}
