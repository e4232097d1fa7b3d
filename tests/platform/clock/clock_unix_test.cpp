#include "platform/clock/clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Runs the test body with TZ set, restoring the previous zone afterwards.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) old_ = old, had_ = true;
    ::setenv("TZ", tz, 1);
    ::tzset();
  }
  ~ScopedTimeZone() {
    if (had_) ::setenv("TZ", old_.c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();
  }

 private:
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST(SystemClockNow, AutomationDateOfLocalTimeInWholeSeconds) {
  ScopedTimeZone utc("UTC0");
  platform::SystemClock clock;
  const std::time_t before = std::time(nullptr);
  const double now = clock.Now();
  const std::time_t after = std::time(nullptr);
  // 25569 days separate 1899-12-30 from 1970-01-01.
  const double lo = 25569.0 + static_cast<double>(before) / 86400.0;
  const double hi = 25569.0 + static_cast<double>(after) / 86400.0;
  EXPECT_GE(now, lo - 1e-9);
  EXPECT_LE(now, hi + 1e-9);
  const double seconds = (now - std::floor(now)) * 86400.0;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-4);
}

TEST(SystemClockNow, FollowsTheLocalZone) {
  platform::SystemClock clock;
  double utc, ahead;
  {
    ScopedTimeZone z("UTC0");
    utc = clock.Now();
  }
  {
    ScopedTimeZone z("XYZ-5");  // five hours east of UTC, no daylight saving
    ahead = clock.Now();
  }
  EXPECT_NEAR((ahead - utc) * 24.0, 5.0, 2.0 / 3600.0);
}
