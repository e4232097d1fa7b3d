#include "platform/clock/clock.h"

#include <gtest/gtest.h>

#include "platform/clock/automation_date.h"

TEST(AutomationDate, CountsDaysFrom1899WithTheTimeAsFraction) {
  EXPECT_DOUBLE_EQ(platform::AutomationDate(1899, 12, 30, 0, 0, 0), 0.0);
  EXPECT_DOUBLE_EQ(platform::AutomationDate(1970, 1, 1, 0, 0, 0), 25569.0);
  EXPECT_DOUBLE_EQ(platform::AutomationDate(2000, 2, 29, 12, 0, 0), 36585.5);  // a leap day
  EXPECT_DOUBLE_EQ(platform::AutomationDate(2026, 12, 31, 23, 59, 59), 46387.0 + 86399.0 / 86400.0);
}

TEST(SystemClockMonotonic, NeverGoesBack) {
  platform::SystemClock clock;
  const std::int64_t a = clock.MonotonicSeconds();
  const std::int64_t b = clock.MonotonicSeconds();
  EXPECT_GE(a, 0);
  EXPECT_GE(b, a);
}
