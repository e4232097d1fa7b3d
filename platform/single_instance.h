// "Is an earlier instance of this application running?" A per-user lock file in the user's
// runtime directory, held for the life of the object; a stale lock left by a killed process
// is taken over.
#pragma once

#include <memory>
#include <string>

namespace platform {

class SingleInstance {
 public:
  SingleInstance(std::string appName);  // lock in the user's runtime directory
  SingleInstance(std::string appName, std::string lockDir);
  ~SingleInstance();
  // True when another live instance holds the lock; otherwise this object takes it.
  bool PrevInstance();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace platform
