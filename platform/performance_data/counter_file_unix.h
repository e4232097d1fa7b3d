// The file of the kernel's processor counters (/proc/stat, or a file of that format), kept open
// between reads: a read is then one read of the open file from its start, and the kernel writes
// /proc/stat afresh for every read from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A file larger than this is not a counter source (guards against /dev/zero, a file that never
// ends and the like). A real one holds about 150 bytes per processor plus one line counting
// every interrupt source: some 1.3 MiB with the kernel's 8192 processors at most, so 4 MiB is
// never reached by a real machine.
inline constexpr std::size_t kMaxStatFileBytes = 4u * 1024u * 1024u;

class CounterFile {
 public:
  explicit CounterFile(std::string path);
  ~CounterFile();
  CounterFile(const CounterFile&) = delete;
  CounterFile& operator=(const CounterFile&) = delete;

  // Reads the whole file that the path names now into buffer (its capacity is reused while the
  // file keeps its usual size, given back after an unusually large read). A file replaced,
  // removed or covered by another (a mount over the path) since the last read is noticed by
  // its identity at the path, and the open one is let go. False when the file cannot be opened
  // or read without waiting (a pipe with nothing in it), or exceeds kMaxStatFileBytes.
  bool Read(std::string& buffer);

 private:
  void Close();

  std::string path_;
  int fd_ = -1;
  std::uint64_t device_ = 0, inode_ = 0;  // identity of the open file
};

}  // namespace platform
