// A monotonic clock for measuring elapsed time.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t MonotonicSeconds() const = 0;  // never goes back
};

class SystemClock : public Clock {
 public:
  std::int64_t MonotonicSeconds() const override;
};

}  // namespace platform
