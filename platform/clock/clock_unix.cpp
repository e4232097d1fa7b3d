#include "platform/clock/clock.h"

#include <time.h>

namespace platform {

std::int64_t SystemClock::MonotonicSeconds() const {
  // BOOTTIME keeps counting while the machine sleeps, so elapsed times include suspend.
  struct timespec ts {};
  if (::clock_gettime(CLOCK_BOOTTIME, &ts) != 0) ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec);
}

}  // namespace platform
