#include "platform/clock/clock.h"

#include <time.h>

namespace platform {

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t kUnixEpochAsAutomationDate = 25569;  // 1970-01-01 - 1899-12-30

}  // namespace

double SystemClock::Now() const {
  const time_t now = ::time(nullptr);
  struct tm local {};
  ::localtime_r(&now, &local);
  const std::int64_t days =
      DaysFromCivil(local.tm_year + 1900LL, static_cast<unsigned>(local.tm_mon + 1),
                    static_cast<unsigned>(local.tm_mday)) +
      kUnixEpochAsAutomationDate;
  const int seconds = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  return static_cast<double>(days) + seconds / 86400.0;
}

std::int64_t SystemClock::MonotonicSeconds() const {
  // BOOTTIME keeps counting while the machine sleeps, so elapsed times include suspend.
  struct timespec ts {};
  if (::clock_gettime(CLOCK_BOOTTIME, &ts) != 0) ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec);
}

}  // namespace platform
