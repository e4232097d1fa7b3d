#include "platform/performance_data/pdh.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/temp_dir.h"

using namespace platform;

namespace {

constexpr const char* kPath0 = "\\Processor(0)\\% Processor Time";
constexpr const char* kPath1 = "\\Processor(1)\\% Processor Time";

// A performance-data source in a temp file that a test rewrites between collections.
struct Source {
  TempDir dir;
  std::string path = dir.File("stat");
  PerformanceData pdh{path};
  PDH_HQUERY query = 0;
  PDH_HCOUNTER c0 = 0, c1 = 0;

  void Set(const std::string& text) { dir.Write("stat", text); }
  void Open(const std::string& text) {
    Set(text);
    ASSERT_EQ(pdh.PdhOpenQuery(nullptr, 1, &query), ERROR_SUCCESS);
    ASSERT_EQ(pdh.PdhVbAddCounter(query, kPath0, &c0), ERROR_SUCCESS);
    ASSERT_EQ(pdh.PdhVbAddCounter(query, kPath1, &c1), ERROR_SUCCESS);
  }
  void Collect(const std::string& text) {
    Set(text);
    pdh.PdhCollectQueryData(query);
  }
  double Read(PDH_HCOUNTER c, PDH_STATUS& status) {
    return pdh.PdhVbGetDoubleCounterValue(c, &status);
  }
};

}  // namespace

TEST(PdhOpenQuery, NeedsAReadableSourceWithProcessorLines) {
  PDH_HQUERY q = 123;
  PerformanceData good(TestData("stat_2cpu.txt"));
  EXPECT_EQ(good.PdhOpenQuery(nullptr, 1, &q), ERROR_SUCCESS);
  EXPECT_NE(q, 0u);

  TempDir dir;
  for (std::string path : {dir.File("missing"), dir.Write("empty", ""),
                           dir.Write("noproc", "cpu  1 2 3 4\nintr 5\n"), dir.path()}) {
    PerformanceData bad(path);
    q = 123;
    EXPECT_NE(bad.PdhOpenQuery(nullptr, 1, &q), ERROR_SUCCESS) << path;
    EXPECT_EQ(q, 0u);
  }
}

TEST(PdhVbAddCounter, AcceptsOnlyProcessorTimePathsOfAnOpenQuery) {
  PerformanceData pdh(TestData("stat_1cpu.txt"));
  PDH_HQUERY q = 0;
  ASSERT_EQ(pdh.PdhOpenQuery(nullptr, 1, &q), ERROR_SUCCESS);
  PDH_HCOUNTER a = 0, b = 0;
  EXPECT_EQ(pdh.PdhVbAddCounter(q, kPath0, &a), ERROR_SUCCESS);
  // Processor 1 is absent from this source now but may come online: still a handle.
  EXPECT_EQ(pdh.PdhVbAddCounter(q, kPath1, &b), ERROR_SUCCESS);
  EXPECT_NE(a, 0u);
  EXPECT_NE(b, 0u);
  EXPECT_NE(a, b);
  PDH_HCOUNTER big = 0;
  EXPECT_EQ(pdh.PdhVbAddCounter(q, "\\Processor(123456789012345678901)\\% Processor Time", &big),
            ERROR_SUCCESS);
  EXPECT_NE(big, 0u);

  const char* bad[] = {"\\Processor( 1)\\% Processor Time", "\\Processor(-1)\\% Processor Time",
                       "\\Processor(+1)\\% Processor Time", "\\Processor(01)\\% Processor Time",
                       "\\Processor()\\% Processor Time",   "\\Processor(1)\\% Idle Time",
                       "\\Prozessor(1)\\% Processor Time",  "\\Processor(1)\\% Processor Time ",
                       "Processor(1)\\% Processor Time",    "\\Processor(_Total)\\% Processor Time",
                       ""};
  for (const char* path : bad) {
    PDH_HCOUNTER h = 99;
    EXPECT_NE(pdh.PdhVbAddCounter(q, path, &h), ERROR_SUCCESS) << path;
    EXPECT_EQ(h, 0u) << path;
  }
  PDH_HCOUNTER h = 99;
  EXPECT_NE(pdh.PdhVbAddCounter(q + 1000, kPath0, &h), ERROR_SUCCESS);
  EXPECT_EQ(h, 0u);
}

TEST(PdhCounterValue, ARateNeedsTwoCollections) {
  PerformanceData pdh(TestData("stat_2cpu.txt"));
  PDH_HQUERY q = 0;
  PDH_HCOUNTER c0 = 0, c1 = 0;
  ASSERT_EQ(pdh.PdhOpenQuery(nullptr, 1, &q), ERROR_SUCCESS);
  pdh.PdhVbAddCounter(q, kPath0, &c0);
  pdh.PdhVbAddCounter(q, kPath1, &c1);
  PDH_STATUS st = 0;
  EXPECT_EQ(pdh.PdhVbGetDoubleCounterValue(c0, &st), 0.0);  // nothing collected yet
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);
  ASSERT_EQ(pdh.PdhCollectQueryData(q), ERROR_SUCCESS);
  EXPECT_EQ(pdh.PdhVbGetDoubleCounterValue(c0, &st), 0.0);  // a rate needs two collections
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);
  EXPECT_EQ(pdh.PdhVbGetDoubleCounterValue(c1, &st), 0.0);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);
}

TEST(PdhCounterValue, KnownDeltasCountIowaitAsIdle) {
  Source s;
  std::string first = "cpu  0 0 0 0\ncpu0 100 10 20 1000 5 1 1 1\ncpu1 0 0 0 0 0 0 0 0\n";
  ASSERT_NO_FATAL_FAILURE(s.Open(first));
  s.Collect(first);
  // cpu0: user+100 system+50 idle+300 iowait+50 -> 150 busy of 500: 30 %.
  // cpu1: every field +10 -> idle+iowait 20 of 80: 75 %.
  s.Collect("cpu0 200 10 70 1300 55 1 1 1\ncpu1 10 10 10 10 10 10 10 10\n");
  PDH_STATUS st = 1;
  EXPECT_DOUBLE_EQ(s.Read(s.c0, st), 30.0);
  EXPECT_EQ(st, PDH_CSTATUS_VALID_DATA);
  EXPECT_DOUBLE_EQ(s.Read(s.c1, st), 75.0);
  EXPECT_EQ(st, PDH_CSTATUS_VALID_DATA);
  // Reads do not consume the sample.
  EXPECT_DOUBLE_EQ(s.Read(s.c0, st), 30.0);
}

TEST(PdhCounterValue, UnusableIntervalsAreInvalidData) {
  Source s;
  std::string base = "cpu0 100 100 100 100 100 100 100 100\ncpu1 5 5 5 5\n";
  ASSERT_NO_FATAL_FAILURE(s.Open(base));
  s.Collect(base);
  s.Collect(base);  // total did not advance
  PDH_STATUS st = 0;
  EXPECT_EQ(s.Read(s.c0, st), 0.0);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);

  // One field backwards (a counter reset) while the total grows.
  s.Collect("cpu0 100 100 100 100 100 100 100 99\ncpu1 6 5 5 5\n");
  EXPECT_EQ(s.Read(s.c0, st), 0.0);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);
  s.Read(s.c1, st);
  EXPECT_EQ(st, PDH_CSTATUS_VALID_DATA);

  // Fields so large their deltas overflow when summed.
  s.Collect("cpu0 0 0 0 0 0 0 0 0\ncpu1 6 5 5 5\n");
  s.Collect("cpu0 18446744073709551615 18446744073709551615 0 0\ncpu1 6 5 5 5\n");
  EXPECT_EQ(s.Read(s.c0, st), 0.0);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);
}

TEST(PdhCounterValue, ProcessorsGoingAndComingBack) {
  Source s;
  std::string both = "cpu0 1 1 1 1\ncpu1 1 1 1 1\n";
  ASSERT_NO_FATAL_FAILURE(s.Open(both));
  s.Collect(both);
  s.Collect("cpu0 2 2 2 2\n");  // cpu1 went offline
  PDH_STATUS st = 0;
  EXPECT_EQ(s.Read(s.c1, st), 0.0);
  EXPECT_EQ(st, PDH_CSTATUS_NO_INSTANCE);
  EXPECT_DOUBLE_EQ(s.Read(s.c0, st), 75.0);
  EXPECT_EQ(st, 0u);
  s.Collect("cpu0 3 3 3 3\ncpu1 0 0 0 9\n");  // back, with reset counters
  s.Read(s.c1, st);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);
  s.Collect("cpu0 4 4 4 4\ncpu1 1 0 0 10\n");
  EXPECT_DOUBLE_EQ(s.Read(s.c1, st), 50.0);
  EXPECT_EQ(st, 0u);
}

TEST(PdhCounterValue, MalformedTruncatedAndMissingSources) {
  Source s;
  std::string good = "cpu0 1 1 1 1\ncpu1 1 1 1 1\n";
  ASSERT_NO_FATAL_FAILURE(s.Open(good));
  s.Collect(good);
  s.Collect("cpu0 2 2 2 2\ncpu1 2 2 zz 2\n");  // cpu1 line malformed
  PDH_STATUS st = 0;
  s.Read(s.c1, st);
  EXPECT_EQ(st, PDH_CSTATUS_NO_INSTANCE);
  s.Read(s.c0, st);
  EXPECT_EQ(st, 0u);

  s.Collect("cpu0 3 3 3 3\ncpu1 3 3");  // truncated mid-line
  s.Read(s.c1, st);
  EXPECT_EQ(st, PDH_CSTATUS_NO_INSTANCE);

  std::remove(s.path.c_str());
  EXPECT_NE(s.pdh.PdhCollectQueryData(s.query), ERROR_SUCCESS);
  s.Read(s.c0, st);
  EXPECT_EQ(st, PDH_CSTATUS_NO_INSTANCE);
  s.Collect(good);  // back, but the previous collection had nothing
  s.Read(s.c0, st);
  EXPECT_EQ(st, PDH_CSTATUS_INVALID_DATA);
}

TEST(PdhCounterValue, ValidValuesStayWithinRange) {
  Source s;
  ASSERT_NO_FATAL_FAILURE(s.Open("cpu0 0 0 0 0\ncpu1 0 0 0 0\n"));
  s.Collect("cpu0 0 0 0 0\ncpu1 0 0 0 0\n");
  s.Collect("cpu0 0 0 0 7\ncpu1 3 0 0 0\n");
  PDH_STATUS st = 1;
  EXPECT_EQ(s.Read(s.c0, st), 0.0);
  EXPECT_EQ(st, 0u);
  EXPECT_EQ(s.Read(s.c1, st), 100.0);
  EXPECT_EQ(st, 0u);
  // Deltas near the 64-bit limit, where double rounding could stray outside 0..100.
  s.Collect("cpu0 0 0 0 7\ncpu1 3 0 0 0\n");
  s.Collect("cpu0 1 0 0 18446744073709551000\ncpu1 18446744073709551000 0 0 1\n");
  double v0 = s.Read(s.c0, st);
  EXPECT_EQ(st, 0u);
  EXPECT_GE(v0, 0.0);
  EXPECT_LE(v0, 100.0);
  double v1 = s.Read(s.c1, st);
  EXPECT_GE(v1, 0.0);
  EXPECT_LE(v1, 100.0);
}

TEST(PdhHandles, ZeroUnknownAndClosedHandlesFailCleanly) {
  Source s;
  ASSERT_NO_FATAL_FAILURE(s.Open("cpu0 1 1 1 1\n"));
  PDH_STATUS st = 0;
  EXPECT_EQ(s.pdh.PdhVbGetDoubleCounterValue(0, &st), 0.0);
  EXPECT_EQ(st, PDH_INVALID_HANDLE);
  EXPECT_EQ(s.pdh.PdhVbGetDoubleCounterValue(s.c1 + 77, &st), 0.0);
  EXPECT_EQ(st, PDH_INVALID_HANDLE);
  EXPECT_EQ(s.pdh.PdhCollectQueryData(0), PDH_INVALID_HANDLE);

  EXPECT_EQ(s.pdh.PdhCloseQuery(s.query), ERROR_SUCCESS);
  EXPECT_EQ(s.pdh.PdhCloseQuery(s.query), PDH_INVALID_HANDLE);
  EXPECT_EQ(s.pdh.PdhCollectQueryData(s.query), PDH_INVALID_HANDLE);
  EXPECT_EQ(s.pdh.PdhVbGetDoubleCounterValue(s.c0, &st), 0.0);
  EXPECT_EQ(st, PDH_INVALID_HANDLE);
  PDH_HCOUNTER h = 5;
  EXPECT_NE(s.pdh.PdhVbAddCounter(s.query, kPath0, &h), ERROR_SUCCESS);
  EXPECT_EQ(h, 0u);
}

TEST(PdhGetSystemInfo, CountsProcessorLinesOfTheSource) {
  struct Case {
    const char* file;
    std::uint32_t count;
  } cases[] = {{"stat_1cpu.txt", 1}, {"stat_2cpu.txt", 2}, {"stat_8cpu.txt", 8},
               {"stat_64cpu.txt", 64}, {"no-such-file", 0}};
  for (const Case& c : cases) {
    PerformanceData pdh(TestData(c.file));
    SYSTEM_INFO info;
    info.dwNumberOfProcessors = 99;
    pdh.GetSystemInfo(&info);
    EXPECT_EQ(info.dwNumberOfProcessors, c.count) << c.file;
  }
}

TEST(PdhHugeSource, ManyProcessorsReadSafely) {
  Source s;
  auto text = [](int busy) {
    std::string t = "cpu  1 1 1 1\n";
    for (int i = 0; i < 4096; ++i)
      t += "cpu" + std::to_string(i) + " " + std::to_string(busy) + " 0 0 " + std::to_string(1000 + busy) + "\n";
    t += "intr " + std::string(3'000'000, '1') + "\n";  // far beyond a real machine's, within the cap
    return t;
  };
  ASSERT_NO_FATAL_FAILURE(s.Open(text(0)));
  SYSTEM_INFO info;
  s.pdh.GetSystemInfo(&info);
  EXPECT_EQ(info.dwNumberOfProcessors, 4096u);
  s.Collect(text(0));
  s.Collect(text(1000));
  PDH_STATUS st = 1;
  EXPECT_DOUBLE_EQ(s.Read(s.c1, st), 50.0);
  EXPECT_EQ(st, 0u);
}
