// "Is an earlier instance of this application running?" The answer comes from locks the kernel
// holds for the life of the process and drops when it dies, however it dies: an flock() on a
// per-user file in the user's runtime directory, and a per-user abstract socket name, which
// needs no writable directory at all. Nothing a dead process leaves behind (an empty or garbled
// lock file, a stale pid) can keep a later start out.
#pragma once

#include <memory>
#include <string>

namespace platform {

class SingleInstance {
 public:
  SingleInstance(std::string appName);  // lock in the user's runtime directory
  SingleInstance(std::string appName, std::string lockDir);
  ~SingleInstance();
  // True when another live instance of the same user holds the instance; otherwise this object
  // takes it (every lock it can get) and keeps it until destroyed.
  bool PrevInstance();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace platform
