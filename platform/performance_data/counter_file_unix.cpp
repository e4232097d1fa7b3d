#include "platform/performance_data/counter_file_unix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

namespace {

// Memory kept between reads: the size of the usual file, not of the largest one ever read.
void GiveBackExcess(std::string& s) {
  constexpr std::size_t kUsual = 64 * 1024;
  if (s.capacity() > kUsual && s.capacity() > 4 * s.size()) s.shrink_to_fit();
}

}  // namespace

CounterFile::CounterFile(std::string path) : path_(std::move(path)) {}

CounterFile::~CounterFile() { Close(); }

void CounterFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool CounterFile::Read(std::string& buffer) {
  buffer.clear();
  // The open file is the one the path names only while their identities agree.
  struct stat named {};
  if (::stat(path_.c_str(), &named) != 0) {
    Close();
    GiveBackExcess(buffer);
    return false;
  }
  if (fd_ >= 0 && (named.st_dev != device_ || named.st_ino != inode_)) Close();
  if (fd_ < 0) {
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat opened {};
    if (fd_ < 0 || ::fstat(fd_, &opened) != 0) {
      Close();
      GiveBackExcess(buffer);
      return false;
    }
    device_ = opened.st_dev;
    inode_ = opened.st_ino;
  }
  // /proc files report a size of 0, so read in chunks until end of file. The chunk lives on
  // the stack: growing the string by a chunk would clear it on every read.
  constexpr std::size_t kChunk = 16 * 1024;
  char chunk[kChunk];
  bool ok = true;
  for (;;) {
    if (buffer.size() >= kMaxStatFileBytes) {
      ok = false;
      break;
    }
    const ssize_t n = ::pread(fd_, chunk, kChunk, static_cast<off_t>(buffer.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    buffer.append(chunk, static_cast<std::size_t>(n));
  }
  if (!ok) {
    buffer.clear();
    Close();  // opened afresh at the next read
  }
  GiveBackExcess(buffer);
  return ok;
}

}  // namespace platform
