// The present date-time as an automation date (days since 1899-12-30, local time, one-second
// resolution), and a monotonic clock for measuring elapsed time.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() const = 0;                    // automation date, whole seconds
  virtual std::int64_t MonotonicSeconds() const = 0;  // never goes back
};

class SystemClock : public Clock {
 public:
  double Now() const override;
  std::int64_t MonotonicSeconds() const override;
};

}  // namespace platform
