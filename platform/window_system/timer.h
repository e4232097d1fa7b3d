// A timer of the user-interface thread: while enabled, its handler runs every interval, as
// precisely as the system's timers allow, between the other messages of the thread.
#pragma once

#include <functional>
#include <memory>

namespace platform {

class Timer {
 public:
  // Disabled until enabled.
  explicit Timer(int intervalMs);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void SetHandler(std::function<void()> handler);
  int Interval() const;
  bool Enabled() const;
  // Enabling a disabled timer starts a full interval; enabling an enabled one changes nothing.
  void SetEnabled(bool enabled);
  // A single-shot timer disables itself before its one tick.
  void SetSingleShot(bool singleShot);

 private:
  struct Native;
  std::unique_ptr<Native> native_;
};

}  // namespace platform
