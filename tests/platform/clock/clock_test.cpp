#include "platform/clock/clock.h"

#include <gtest/gtest.h>

TEST(SystemClockMonotonic, NeverGoesBack) {
  platform::SystemClock clock;
  const std::int64_t a = clock.MonotonicSeconds();
  const std::int64_t b = clock.MonotonicSeconds();
  EXPECT_GE(a, 0);
  EXPECT_GE(b, a);
}
