#include "platform/settings/settings_lock_unix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <thread>

#include "platform/runtime/program_name.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// A holder creates the file and flock()s it right away: a file this young and still empty
// may be one in the making, so it gets a moment before it is called stale.
constexpr std::chrono::milliseconds kCreationGrace{100};
constexpr std::chrono::milliseconds kRetryPause{20};

bool YoungAndEmpty(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || st.st_size != 0) return false;
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const long long ageMs = (now.tv_sec - st.st_mtim.tv_sec) * 1000LL +
                          (now.tv_nsec - st.st_mtim.tv_nsec) / 1000000LL;
  return ageMs >= 0 && ageMs < kCreationGrace.count();
}

// Removes a stale lock file: only while holding its flock, so a live holder's is never removed.
// Returns false when the lock is live (or young), with errno EWOULDBLOCK, or cannot be removed.
bool RemoveIfStale(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return errno == ENOENT;  // gone already: try again
  bool removed = false;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    if (YoungAndEmpty(fd)) errno = EWOULDBLOCK;
    else removed = ::unlink(path.c_str()) == 0 || errno == ENOENT;
  }
  const int saved = errno;
  ::close(fd);
  errno = saved;
  return removed;
}

std::string OwnerText() {
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  return std::to_string(::getpid()) + "\n" + RunningProgramName().name + "\n" + host + "\n";
}

}  // namespace

SettingsLock::SettingsLock(std::string path, std::chrono::milliseconds patience)
    : path_(std::move(path)) {
  const auto deadline = Clock::now() + patience;
  for (;;) {
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      // Lost a race with another taker between create and flock: that one holds it.
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const std::string owner = OwnerText();
        if (::write(fd, owner.data(), owner.size()) < 0) {
          // The owner text only informs others; the flock is what counts.
        }
        fd_ = fd;
        return;
      }
      ::close(fd);
      errno = EWOULDBLOCK;
    } else if (errno == EEXIST) {
      if (RemoveIfStale(path_)) continue;
    }
    error_ = errno;
    if ((error_ != EWOULDBLOCK && error_ != EEXIST) || Clock::now() >= deadline) return;
    std::this_thread::sleep_for(kRetryPause);
  }
}

SettingsLock::~SettingsLock() {
  if (fd_ < 0) return;
  ::unlink(path_.c_str());  // still under our flock: nobody can take a removed file for ours
  ::close(fd_);
}

}  // namespace platform
