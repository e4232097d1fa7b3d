// "Is an earlier instance of this application running?" The answer comes from locks the kernel
// holds for the life of the process and drops when it dies, however it dies: an flock() on a
// per-user file in the user's runtime directory, and a per-user abstract socket name, which
// needs no writable directory at all. Nothing a dead process leaves behind (an empty or garbled
// lock file, a stale pid) can keep a later start out.
// On Windows: a named mutex in the session's own name space (Local\), which the system drops
// with the last handle to it, so a dead instance never keeps a start out either.
#pragma once

#include <memory>
#include <string>

namespace platform {

class SingleInstance {
 public:
  SingleInstance(std::string appName);  // lock in the user's runtime directory
  SingleInstance(std::string appName, std::string lockDir);  // Windows: a part of the name
  ~SingleInstance();
  // True when another live instance of the same user holds the instance; otherwise this object
  // takes it (every lock it can get) and keeps it until destroyed.
  bool PrevInstance();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace platform
