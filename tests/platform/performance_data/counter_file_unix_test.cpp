#include "platform/performance_data/counter_file_unix.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/performance_data/proc_stat_unix.h"
#include "support/temp_dir.h"

using platform::CounterFile;

TEST(CounterFileRead, WholeFileOfAnyLength) {
  TempDir dir;
  std::string big(200'000, 'x');
  big += "\ncpu0 1 2 3 4\n";  // beyond any fixed small buffer
  std::string text;
  ASSERT_TRUE(CounterFile(dir.Write("stat", big)).Read(text));
  EXPECT_EQ(text, big);
  EXPECT_FALSE(CounterFile(dir.File("missing")).Read(text));
  EXPECT_FALSE(CounterFile(dir.path()).Read(text));  // a directory
  EXPECT_TRUE(text.empty());
}

// The file stays open between reads, yet every read is of what the path names at that moment:
// the file rewritten in place, replaced by another, removed and back again.
TEST(CounterFileRead, FollowsThePathFromReadToRead) {
  TempDir dir;
  const std::string path = dir.Write("stat", "cpu0 1 1 1 1\n");
  CounterFile file(path);
  std::string text;
  ASSERT_TRUE(file.Read(text));
  EXPECT_EQ(text, "cpu0 1 1 1 1\n");
  dir.Write("stat", "cpu0 2 2 2 2\ncpu1 2 2 2 2\n");  // in place, longer
  ASSERT_TRUE(file.Read(text));
  EXPECT_EQ(text, "cpu0 2 2 2 2\ncpu1 2 2 2 2\n");
  dir.Write("stat", "cpu0 3 3 3 3\n");  // in place, shorter
  ASSERT_TRUE(file.Read(text));
  EXPECT_EQ(text, "cpu0 3 3 3 3\n");

  ASSERT_EQ(std::rename(dir.Write("other", "cpu0 4 4 4 4\n").c_str(), path.c_str()), 0);
  ASSERT_TRUE(file.Read(text));
  EXPECT_EQ(text, "cpu0 4 4 4 4\n");

  ASSERT_EQ(std::remove(path.c_str()), 0);
  EXPECT_FALSE(file.Read(text));
  EXPECT_TRUE(text.empty());
  dir.Write("stat", "cpu0 5 5 5 5\n");
  ASSERT_TRUE(file.Read(text));
  EXPECT_EQ(text, "cpu0 5 5 5 5\n");
}

// A file far beyond what a real machine writes, one that never ends, or a pipe with nothing in
// it: the read is refused without waiting, and the buffers go back to the usual file's size.
TEST(CounterFileRead, OversizedEndlessOrEmptyPipeSourcesAreRefusedAndBuffersShrinkBack) {
  TempDir dir;
  const std::string normal = dir.Write("stat", "cpu  1 1 1 1\ncpu0 1 2 3 4\ncpu1 1 2 3 4\n");
  std::string text;
  std::vector<platform::CpuTimes> cpus;
  ASSERT_TRUE(CounterFile(normal).Read(text));
  const std::size_t usual = text.capacity();

  std::string huge;
  for (int i = 0; i < 8192; ++i) huge += "cpu" + std::to_string(i) + " 1 2 3 4 5 6 7 8 0 0\n";
  huge += "intr " + std::string(platform::kMaxStatFileBytes, '0') + "\n";
  EXPECT_FALSE(CounterFile(dir.Write("huge", huge)).Read(text));
  EXPECT_FALSE(CounterFile("/dev/zero").Read(text));
  EXPECT_LE(text.capacity(), 64u * 1024u);
  EXPECT_EQ(platform::ParseProcStat(huge.substr(0, huge.find("intr")), cpus), 8192u);
  ASSERT_TRUE(CounterFile(normal).Read(text));
  EXPECT_EQ(platform::ParseProcStat(text, cpus), 2u);
  EXPECT_LE(text.capacity(), std::max<std::size_t>(usual, 64u * 1024u));
  EXPECT_LE(cpus.capacity(), 64u);

  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);  // holds the pipe open, writes nothing
  ASSERT_GE(writer, 0);
  EXPECT_FALSE(CounterFile(fifo).Read(text));
  ::close(writer);
}

namespace {

// The kernel's count of context switches, from a /proc/stat text; 0 if absent.
unsigned long long ContextSwitches(const std::string& text) {
  const std::size_t at = text.find("\nctxt ");
  return at == std::string::npos ? 0 : std::stoull(text.substr(at + 6));
}

}  // namespace

// Kept open, the kernel's own file still gives the counters of the moment of each read.
TEST(CounterFileRead, TheKernelsFileIsWrittenAfreshForEveryRead) {
  CounterFile file("/proc/stat");
  std::string text;
  ASSERT_TRUE(file.Read(text));
  const unsigned long long before = ContextSwitches(text);
  ASSERT_GT(before, 0u);
  ::usleep(20'000);  // sleeping switches this thread out at least once
  ASSERT_TRUE(file.Read(text));
  EXPECT_GT(ContextSwitches(text), before);
}
