#include "platform/clock/automation_date.h"

#include <cstdint>

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

double AutomationDate(int year, int month, int day, int hour, int minute, int second) {
  const std::int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                            kUnixEpochAsAutomationDate;
  const int seconds = hour * 3600 + minute * 60 + second;
  return static_cast<double>(days) + seconds / 86400.0;
}

}  // namespace platform
