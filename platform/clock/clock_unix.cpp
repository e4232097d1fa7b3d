#include "platform/clock/clock.h"

#include <time.h>

#include "platform/clock/automation_date.h"

namespace platform {

double SystemClock::Now() const {
  const time_t now = ::time(nullptr);
  struct tm local {};
  ::localtime_r(&now, &local);
  return AutomationDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
}

std::int64_t SystemClock::MonotonicSeconds() const {
  // BOOTTIME keeps counting while the machine sleeps, so elapsed times include suspend.
  struct timespec ts {};
  if (::clock_gettime(CLOCK_BOOTTIME, &ts) != 0) ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec);
}

}  // namespace platform
