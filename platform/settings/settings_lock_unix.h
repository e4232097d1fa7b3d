// The lock other programs' settings code takes beside an INI file (<file>.lock, holding the
// owner's pid, name and host, and an flock() for as long as it is held). A lock whose file
// nobody has flock()ed is stale whatever it holds (empty, garbled, a dead pid): its owner died,
// and it is taken over at once.
#pragma once

#include <chrono>
#include <string>

namespace platform {

class SettingsLock {
 public:
  // Waits at most `patience` for a live holder to let go. Locked() tells the outcome, and
  // Error() the errno of the failure (EWOULDBLOCK: a live holder kept it).
  SettingsLock(std::string path, std::chrono::milliseconds patience);
  ~SettingsLock();
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;
  bool Locked() const { return fd_ >= 0; }
  int Error() const { return error_; }

 private:
  std::string path_;
  int fd_ = -1;
  int error_ = 0;
};

}  // namespace platform
